// The fixture of every desktop test.
#include "tests/desktop/desktop_test.h"

#include <X11/Xatom.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/desktop/screenshot.h"

namespace desktop {

namespace {

// The program runs in the test's own folder, so a relative path is taken from here first.
std::string programPath() {
  const char *path = std::getenv("OXBYTE_PROGRAM");
  return path ? std::filesystem::absolute(path).string() : "oxbyte";
}

// Without these the program would find another desktop or a scale of the developer's own.
// The test's folder is the session's runtime folder too: what programs share on the desktop (the cascade
// of default places) starts afresh with each desktop.
EnvironmentChanges programEnvironment(const std::string &display, const std::string &runtime,
                                      const EnvironmentChanges &extra) {
  EnvironmentChanges env{{"DISPLAY", display},
                         {"XDG_RUNTIME_DIR", runtime},
                         {"WAYLAND_DISPLAY", std::nullopt},
                         {"SDL_VIDEODRIVER", std::nullopt},
                         {"OXBYTE_SCALE", std::nullopt},
                         {"LSAN_OPTIONS", std::string("suppressions=") + OXBYTE_DESKTOP_LSAN_SUPPRESSIONS +
                                              ":print_suppressions=0"}};
  for (const auto &[name, value] : extra) env[name] = value;
  return env;
}

bool startsWith(const std::string &text, const std::string &prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

void PrintTo(WindowManager manager, std::ostream *out) {
  *out << (manager == WindowManager::Absent ? "no window manager" : "openbox");
}

std::string windowManagerName(const ::testing::TestParamInfo<WindowManager> &info) {
  return info.param == WindowManager::Absent ? "NoWindowManager" : "Openbox";
}

void DesktopTest::startDesktop(WindowManager manager) {
  char folder[] = "/tmp/oxbyte-desktop-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  folder_ = folder;
  display_ = std::make_unique<PrivateDisplay>(manager);
  ASSERT_TRUE(display_->ready()) << display_->error();
  person_ = std::make_unique<Typist>(x());
  person().moveTo(PrivateDisplay::kWidth - 10, PrivateDisplay::kHeight - 10);  // out of every window's way
}

void DesktopTest::launch(const std::vector<std::string> &arguments, const EnvironmentChanges &environment) {
  std::vector<std::string> argv{programPath()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  program_ = ChildProcess({argv, programEnvironment(display_->name(), folder_.string(), environment), folder_ / "terminal.txt",
                           folder_, -1});
  // SDL may replace the frame's first X window by another while starting, so the frame is looked up
  // again until it is the one that shows.
  ASSERT_TRUE(waitUntil([&] { return (frame_ = findFrame()) != None && isPainted() && hasKeyboard(frame_); }))
      << (frame_ == None ? "no frame window showed" : "the frame was not painted or did not get the keyboard");
}

bool DesktopTest::hasKeyboard(Window window) {
  Window focus;
  int revert;
  XGetInputFocus(x(), &focus, &revert);
  return focus == window;
}

// The menu bar's button-face grey in the frame's top-left corner.
bool DesktopTest::isPainted() {
  Point corner = onScreen({2, 2});
  Screenshot shot = capture(x(), Rect{corner.x, corner.y, 1, 1});
  return !shot.empty() && shot.at(0, 0) == rgb(192, 192, 192);
}

void DesktopTest::launchOn(const Bytes &bytes, const std::string &name, const EnvironmentChanges &environment) {
  file_ = makeFile(name, bytes);
  launch({file_.string()}, environment);
}

// The frame is the program's top-level window that is shown, owned by no other window of the program
// (at most by the desktop: transient for the root) and titled with its name.
Window DesktopTest::findFrame() {
  for (Window w : windowsOfProcess(x(), program_.pid())) {
    Window owner = transientFor(x(), w);
    if (isViewable(x(), w) && !isOverrideRedirect(x(), w) && (owner == None || owner == display_->root()) &&
        startsWith(title(x(), w), "Oxbyte"))
      return w;
  }
  return None;
}

std::filesystem::path DesktopTest::makeFile(const std::string &name, const Bytes &bytes) {
  std::filesystem::path path = folder_ / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

Bytes DesktopTest::fileBytes(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes DesktopTest::sampleBytes(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(0x80 + i % 64);
  return bytes;
}

std::vector<Window> DesktopTest::shownWindows() {
  std::vector<Window> shown;
  for (Window w : windowsOfProcess(x(), program_.pid()))
    if (isViewable(x(), w)) shown.push_back(w);
  return shown;
}

bool DesktopTest::popupShowing() {
  auto shown = shownWindows();
  return std::any_of(shown.begin(), shown.end(), [&](Window w) { return isOverrideRedirect(x(), w); });
}

Window DesktopTest::shownDialog(const std::string &wanted) {
  for (Window w : shownWindows())
    if (w != frame_ && !isOverrideRedirect(x(), w) && (wanted.empty() || title(x(), w) == wanted)) return w;
  return None;
}

Window DesktopTest::waitForDialog(const std::string &wanted, Millis timeout) {
  Window dialog = None;
  waitUntil([&] { return (dialog = shownDialog(wanted)) != None; }, timeout);
  return dialog;
}

bool DesktopTest::waitUntilGone(Window window) {
  return waitUntil([&] { return !isViewable(x(), window); });
}

Point DesktopTest::onScreen(Point inFrame) {
  Rect frame = geometry(x(), frame_).value_or(Rect{});
  return {frame.x + inFrame.x * scale_ + scale_ / 2, frame.y + inFrame.y * scale_ + scale_ / 2};
}

void DesktopTest::saveWithToolbarAndExpect(const Bytes &expected) {
  clickAt(toolbarButton(ToolbarButton::Save));
  EXPECT_TRUE(waitUntil([&] { return fileBytes(file_) == expected; }, 5s)) << "the file was not saved as expected";
}

void DesktopTest::askToClose(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atom(x(), "WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(atom(x(), "WM_DELETE_WINDOW"));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(x(), window, False, NoEventMask, &event);
  XFlush(x());
}

void DesktopTest::closeAndExpectCleanExit() {
  if (HasFailure()) return;
  askToClose(frame_);
  auto status = program_.waitForExit(10s);
  ASSERT_TRUE(status.has_value()) << "the program did not end when its frame was closed";
  EXPECT_EQ(*status, 0) << "terminal output:\n" << terminalOutput();
}

std::string DesktopTest::terminalOutput() const {
  std::ifstream in(folder_ / "terminal.txt");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DesktopTest::saveScreenshot() {
  const char *shots = std::getenv("OXBYTE_DESKTOP_SHOTS");
  if (!HasFailure() && !shots) return;
  std::filesystem::path dir = shots ? shots : "desktop-shots";
  std::filesystem::create_directories(dir);
  const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  std::replace(name.begin(), name.end(), '/', '-');
  std::filesystem::path path = std::filesystem::absolute(dir / (name + ".png"));
  if (captureScreen(x()).savePng(path)) std::cout << "screenshot: " << path.string() << "\n";
}

// A test that failed may leave the program in any state: it is ended, not closed; its terminal output
// is checked all the same.
void DesktopTest::TearDown() {
  if (display_ && display_->ready()) saveScreenshot();
  bool started = program_.pid() > 0;
  program_.stop();
  if (started) {
    EXPECT_EQ(terminalOutput(), "") << "the program wrote on the terminal";
  }
  person_.reset();
  display_.reset();
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

}  // namespace desktop
