// The desktop figures: the real program and a trivial SDL2 window started on a private X display under
// openbox, each timed from just before its spawn (or the key sent) until the screen shows what was
// expected there.
//
// What is expected is learned from one run of each program before the timed runs: its window's place
// and the pixels it settles into. Pixels that change while the program is otherwise idle (the caret
// cell, inverted by a timer every half second) are left out of every comparison, so that a blink is
// never taken for the answer, nor its absence for a delay.
#include "bench/desktop_figures.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "bench/workspace.h"
#include "tests/desktop/process.h"
#include "tests/desktop/screenshot.h"
#include "tests/desktop/wait.h"
#include "tests/desktop/xwindows.h"

namespace {

using namespace desktop;

constexpr int kRuns = 7;
constexpr int kFirstDisplay = 200, kLastDisplay = 299;
constexpr const char *kBaselineColour = "3366CC";  // what the trivial window fills itself with
constexpr Millis kRunTimeout = 10s;
// Between two looks at the screen: a tenth of a millisecond, short beside a look at a whole window (about
// 0.8 ms); with no pause at all the looking would keep the server, which also has to show the program's
// frames, always busy.
constexpr auto kPollGap = std::chrono::microseconds(100);

// ---- Ending everything started, even when the bench is interrupted

// The process groups of the server, the window manager and the program being measured. Each is a
// group of its own, so Ctrl+C in the terminal does not reach them: on SIGINT, SIGTERM or SIGHUP they are
// ended here before the bench ends as the signal would have ended it. The server is asked to end rather
// than killed, so that it takes its lock file and socket with it.
enum Slot { kServer, kWindowManager, kProgram, kSlots };
volatile sig_atomic_t trackedGroups[kSlots];

void track(Slot slot, pid_t group) { trackedGroups[slot] = group; }

void endTrackedAndDie(int signal) {
  for (int slot = 0; slot < kSlots; ++slot)
    if (trackedGroups[slot] > 0) kill(-pid_t(trackedGroups[slot]), slot == kServer ? SIGTERM : SIGKILL);
  std::signal(signal, SIG_DFL);
  raise(signal);
}

class InterruptGuard {
 public:
  InterruptGuard() {
    struct sigaction action {};
    action.sa_handler = endTrackedAndDie;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous_[i]);
  }
  ~InterruptGuard() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
    for (int slot = 0; slot < kSlots; ++slot) trackedGroups[slot] = 0;
  }

 private:
  static constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction previous_[3];
};

// ---- The private display

bool onPath(const std::string &program) {
  const char *path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  for (size_t start = 0; start <= folders.size();) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    if (access((folders.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// A display number is taken while a live server holds its lock file, or answers on its socket: a server
// started with -displayfd (as the desktop tests start theirs) writes no lock file. A stale lock or socket
// (its server killed) Xvfb clears by itself.
bool displayTaken(int number) {
  std::ifstream lock("/tmp/.X" + std::to_string(number) + "-lock");
  long pid = 0;
  if (lock && (lock >> pid) && pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM)) return true;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "/tmp/.X11-unix/X%d", number);
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  bool answers = fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
  if (fd >= 0) close(fd);
  return answers;
}

// Xvfb on a display number from 200 up, clear of the desktop tests' servers (which take the first free
// number from 0), with openbox on it. Everything is ended when it goes out of scope.
class BenchDesktop {
 public:
  BenchDesktop() = default;
  BenchDesktop(const BenchDesktop &) = delete;
  BenchDesktop &operator=(const BenchDesktop &) = delete;
  ~BenchDesktop() {
    if (x_) XCloseDisplay(x_);
    manager_.stop();
    server_.stop();
    track(kWindowManager, 0);
    track(kServer, 0);
  }

  bool start(std::string &error) {
    // A server that fails on a number thought free fails for a reason other than the number after a few.
    for (int number = kFirstDisplay, tries = 0; number <= kLastDisplay && tries < 3 && !x_; ++number)
      if (!displayTaken(number)) ++tries, startServer(number);
    if (!x_) return error = "Xvfb did not start on a free display from :" + std::to_string(kFirstDisplay), false;
    tolerateXErrors();
    manager_ = ChildProcess({{"openbox", "--sm-disable"}, {{"DISPLAY", name_}}, "", "", -1});
    track(kWindowManager, manager_.pid());
    // openbox is ready once it names itself through _NET_SUPPORTING_WM_CHECK on the root.
    bool up = waitUntil([&] {
      auto check = windowProperty(x_, DefaultRootWindow(x_), "_NET_SUPPORTING_WM_CHECK");
      return !check.empty() && !stringProperty(x_, Window(check[0]), "_NET_WM_NAME").empty();
    });
    if (!up) return error = "openbox did not start on " + name_, false;
    return true;
  }

  Display *x() const { return x_; }
  const std::string &name() const { return name_; }

 private:
  // Without -displayfd, so that the server writes its lock file for other servers to see; it is ready
  // once it takes a connection. One that ends at once found the number taken after all.
  void startServer(int number) {
    std::string display = ":" + std::to_string(number);
    server_ = ChildProcess({{"Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                            {},
                            "",
                            "",
                            -1});
    track(kServer, server_.pid());
    waitUntil([&] { return !server_.running() || (x_ = XOpenDisplay(display.c_str())) != nullptr; });
    if (x_) {
      name_ = display;
      return;
    }
    server_.stop();
    track(kServer, 0);
  }

  ChildProcess server_, manager_;
  Display *x_ = nullptr;
  std::string name_;
};

// ---- Watching the screen

// What a run waits for: the pixels of a region of the screen, except those that may show anything. The
// probe, a strip of it, is looked at first, and the whole only once the probe shows what is expected: a
// look at a strip of a window costs a fiftieth of a look at all of it, so while the answer is not there
// the looking takes little from the server, which also has to show the program's frames.
struct Target {
  Rect area;
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> ignored;
  Rect probe;  // inside the area, in its own coordinates

  size_t ignoredCount() const { return size_t(std::count(ignored.begin(), ignored.end(), 1)); }
  Rect whole() const { return {0, 0, area.width, area.height}; }
};

Target makeTarget(Rect area, std::vector<uint32_t> pixels) {
  std::vector<uint8_t> ignored(pixels.size(), 0);
  Rect probe{0, area.height / 2 - 4, area.width, std::min(area.height, 8)};
  if (probe.y < 0) probe.y = 0;
  return {area, std::move(pixels), std::move(ignored), probe};
}

// Whether this part of the target's area shows the target's pixels now; the pixels seen are put in
// `seen` when it does.
bool partShows(Display *x, const Target &target, Rect part, Screenshot *seen) {
  Screenshot shot = capture(x, {target.area.x + part.x, target.area.y + part.y, part.width, part.height});
  if (shot.width != part.width || shot.height != part.height) return false;
  for (int py = 0; py < part.height; ++py)
    for (int px = 0; px < part.width; ++px) {
      size_t i = size_t(part.y + py) * target.area.width + size_t(part.x + px);
      if (!target.ignored[i] && shot.at(px, py) != target.pixels[i]) return false;
    }
  if (seen) *seen = std::move(shot);
  return true;
}

// Whether the screen shows `target` now: its probe first, then the whole of it. `lookedAt` is when the
// look at the whole was asked for (monotonic nanoseconds): the server reads the screen for it as soon as
// it gets the request, and most of a look's time is spent after that, moving the pixels to this process.
bool shows(Display *x, const Target &target, Screenshot *seen = nullptr, int64_t *lookedAt = nullptr) {
  if (!(target.probe == target.whole()) && !partShows(x, target, target.probe, nullptr)) return false;
  if (lookedAt) *lookedAt = monotonicNanoseconds();
  return partShows(x, target, target.whole(), seen);
}

// Seconds from `start` (monotonic nanoseconds) until the look that found the screen showing `target`;
// nullopt at the timeout.
std::optional<double> secondsUntilShown(Display *x, const Target &target, int64_t start, Screenshot *seen) {
  int64_t deadline = start + std::chrono::nanoseconds(scaled(kRunTimeout)).count();
  for (int64_t lookedAt = 0;;) {
    if (shows(x, target, seen, &lookedAt)) return double(lookedAt - start) * 1e-9;
    if (monotonicNanoseconds() > deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollGap);
  }
}

// The pixels the area settles into: looked at for `watch` after `settle`, every pixel that changed in
// that time is ignored. nullopt when the area is not on the screen, or when more than a fiftieth of it
// keeps changing (the program is not idle: what is expected could not be told).
std::optional<Target> learnSettled(Display *x, Rect area, Millis settle, Millis watch) {
  pause(settle);
  Screenshot first = capture(x, area);
  if (first.empty() || first.width != area.width || first.height != area.height) return std::nullopt;
  Target target = makeTarget(area, first.pixels);
  auto end = std::chrono::steady_clock::now() + watch;
  while (std::chrono::steady_clock::now() < end) {
    pause(20ms);
    Screenshot now = capture(x, area);
    if (now.pixels.size() != first.pixels.size()) return std::nullopt;
    for (size_t i = 0; i < now.pixels.size(); ++i)
      if (now.pixels[i] != first.pixels[i]) target.ignored[i] = 1;
  }
  if (target.ignoredCount() * 50 > target.pixels.size()) return std::nullopt;
  return target;
}

// The same area as the screen showed it with no window on it.
Target emptyScreen(const Screenshot &screen, Rect area) {
  std::vector<uint32_t> pixels;
  for (int py = 0; py < area.height; ++py)
    for (int px = 0; px < area.width; ++px) pixels.push_back(screen.at(area.x + px, area.y + py));
  return makeTarget(area, std::move(pixels));
}

// The smallest part of the target holding every pixel in which it differs from `other` (where neither
// ignores it): what a change shows, looked at alone. An empty area when they do not differ.
Target changedPart(const Target &target, const Target &other) {
  int left = target.area.width, top = target.area.height, right = 0, bottom = 0;
  for (int py = 0; py < target.area.height; ++py)
    for (int px = 0; px < target.area.width; ++px) {
      size_t i = size_t(py) * target.area.width + px;
      if (target.ignored[i] || other.ignored[i] || target.pixels[i] == other.pixels[i]) continue;
      left = std::min(left, px), top = std::min(top, py), right = std::max(right, px + 1),
      bottom = std::max(bottom, py + 1);
    }
  if (right <= left) return {};
  Rect area{target.area.x + left, target.area.y + top, right - left, bottom - top};
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> ignored;
  for (int py = top; py < bottom; ++py)
    for (int px = left; px < right; ++px) {
      size_t i = size_t(py) * target.area.width + px;
      pixels.push_back(target.pixels[i]);
      ignored.push_back(target.ignored[i] | other.ignored[i]);
    }
  Target part = makeTarget(area, std::move(pixels));
  part.ignored = std::move(ignored);
  part.probe = {0, std::max(0, part.area.height - 16), part.area.width, std::min(part.area.height, 16)};
  return part;
}

// ---- The programs

struct Program {
  const char *name;  // for messages and the file of its terminal output
  std::vector<std::string> argv;
};

struct Running {
  ChildProcess process;
  std::string terminal;
  Window window = None;
};

Running spawn(const std::string &display, const Program &program) {
  Running running;
  running.terminal = benchFolder() + "/" + program.name + ".terminal.txt";
  // Without these the program would find another desktop, another video driver or a scale of the
  // developer's own.
  EnvironmentChanges environment{{"DISPLAY", display},
                                 {"WAYLAND_DISPLAY", std::nullopt},
                                 {"SDL_VIDEODRIVER", std::nullopt},
                                 {"OXBYTE_SCALE", std::nullopt}};
  running.process = ChildProcess({program.argv, environment, running.terminal, benchFolder(), -1});
  track(kProgram, running.process.pid());
  return running;
}

// The process's top-level window on the screen: not a drop-down or tooltip, owned by no other window.
Window shownWindow(Display *x, pid_t pid) {
  for (Window w : windowsOfProcess(x, pid)) {
    Window owner = transientFor(x, w);
    if (isViewable(x, w) && !isOverrideRedirect(x, w) && (owner == None || owner == DefaultRootWindow(x))) return w;
  }
  return None;
}

bool hasKeyboard(Display *x, Window window) {
  Window focus;
  int revert;
  XGetInputFocus(x, &focus, &revert);
  return focus == window;
}

// Waits for the window to be on the screen with the keyboard, as a user would find it.
bool findWindow(Display *x, Running &running) {
  return waitUntil([&] {
    running.window = shownWindow(x, running.process.pid());
    return running.window != None && hasKeyboard(x, running.window);
  }, kRunTimeout);
}

// Closes the window as the window manager's close button does, and reports an end that is not clean:
// no end within 5 s (the process is then killed), a non-zero status, or anything written on the terminal.
void closeAndCheck(Display *x, Running &running, const Program &program) {
  if (running.window != None) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = running.window;
    event.xclient.message_type = atom(x, "WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(atom(x, "WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, running.window, False, NoEventMask, &event);
    XFlush(x);
  }
  std::optional<int> status = running.process.waitForExit(5s);
  if (!status) {
    std::fprintf(stderr, "  finding: %s did not end within 5 s of its window being closed; killed\n", program.name);
    running.process.stop();
  } else if (*status != 0) {
    std::fprintf(stderr, "  finding: %s ended with status %d after its window was closed\n", program.name, *status);
  }
  track(kProgram, 0);
  std::ifstream in(running.terminal);
  std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!output.empty())
    std::fprintf(stderr, "  finding: %s wrote on the terminal:\n%s%s", program.name, output.c_str(),
                 output.back() == '\n' ? "" : "\n");
}

void tapKey(Display *x, KeySym key, bool down) {
  XTestFakeKeyEvent(x, XKeysymToKeycode(x, key), down, CurrentTime);
  XFlush(x);
}

// ---- The runs

// What the desktop shows of each program once it has settled, learned from one run before the timed
// ones: its window with the first frame, and for the document the window before and after the key.
struct Expected {
  Target launched, opened, keyed, baseline;
};

// A run that cannot go on: the reason, printed once.
struct Failure {
  std::string reason;
};

Failure failed(const Program &program, const std::string &what) { return {std::string(program.name) + ": " + what}; }

class DesktopRuns {
 public:
  explicit DesktopRuns(BenchDesktop &desktop) : x_(desktop.x()), display_(desktop.name()) {
    // The pointer rests in the far corner, out of every window's way, so that nothing is highlighted under it.
    XTestFakeMotionEvent(x_, -1, WidthOfScreen(DefaultScreenOfDisplay(x_)) - 10,
                         HeightOfScreen(DefaultScreenOfDisplay(x_)) - 10, CurrentTime);
    XSync(x_, False);
    empty_ = captureScreen(x_);
    program_ = {"oxbyte", {OXBYTE_BENCH_PROGRAM}};
    document_ = {"oxbyte-document", {OXBYTE_BENCH_PROGRAM, randomFile()}};
  }

  // Learns what every run is to wait for; a Failure when some program does not show what it should.
  std::optional<Failure> learn(Expected &expected) {
    if (auto failure = learnLaunch(program_, expected.launched)) return failure;
    // The menu bar's grey in the frame's corner: the program's own frame, not some other window.
    if (expected.launched.pixels[2 * size_t(expected.launched.area.width) + 2] != rgb(192, 192, 192))
      return failed(program_, "its first frame has no menu bar");
    if (auto failure = learnDocument(expected)) return failure;
    baseline_ = {"trivial-window",
                 {OXBYTE_BENCH_TRIVIAL_WINDOW, std::to_string(expected.launched.area.width),
                  std::to_string(expected.launched.area.height), kBaselineColour}};
    if (auto failure = learnLaunch(baseline_, expected.baseline)) return failure;
    uint32_t colour = uint32_t(std::stoul(kBaselineColour, nullptr, 16));
    const auto &pixels = expected.baseline.pixels;
    if (expected.baseline.ignoredCount() != 0 ||
        std::any_of(pixels.begin(), pixels.end(), [&](uint32_t p) { return p != colour; }))
      return failed(baseline_, "its window is not all of one colour");
    if (savingShots()) {
      saveShot("learned-launch", expected.launched);
      saveShot("learned-open", expected.opened);
      saveShot("learned-key", expected.keyed);
      saveShot("learned-baseline", expected.baseline);
    }
    return std::nullopt;
  }

  std::optional<Failure> timeLaunch(const Program &program, const Target &frame, double &seconds, const char *shot) {
    Running running;
    if (auto failure = spawnAndTime(program, frame, running, seconds, shot)) return failure;
    if (!findWindow(x_, running)) return failed(program, "its window did not get the keyboard");
    closeAndCheck(x_, running, program);
    return std::nullopt;
  }

  std::optional<Failure> timeDocument(const Expected &expected, double &openSeconds, double &keySeconds,
                                      bool keepShots) {
    Running running;
    if (auto failure = spawnAndTime(document_, expected.opened, running, openSeconds,
                                    keepShots ? "desktop_open" : nullptr))
      return failure;
    if (!findWindow(x_, running)) return failed(document_, "its window did not get the keyboard");
    pause(300ms);  // whatever the program does after its first screen is done
    if (!shows(x_, expected.opened)) return failed(document_, "the window changed before the key");
    Screenshot seen;
    int64_t start = monotonicNanoseconds();
    tapKey(x_, XK_Right, true);
    Screenshot *keep = keepShots && savingShots() ? &seen : nullptr;
    std::optional<double> key = secondsUntilShown(x_, expected.keyed, start, keep);
    tapKey(x_, XK_Right, false);
    if (!key) return failed(document_, "the window did not show the key's effect");
    keySeconds = *key;
    if (keepShots && savingShots()) seen.savePng(shotPath("desktop_key"));
    closeAndCheck(x_, running, document_);
    return std::nullopt;
  }

  const Program &program() const { return program_; }
  const Program &baseline() const { return baseline_; }

 private:
  // Spawns the program once the area is clear of every earlier window and times its first frame there.
  std::optional<Failure> spawnAndTime(const Program &program, const Target &frame, Running &running,
                                      double &seconds, const char *shot) {
    Target clear = emptyScreen(empty_, frame.area);
    if (!waitUntil([&] { return shows(x_, clear); }, 5s))
      return failed(program, "an earlier window stayed on the screen");
    Screenshot seen;
    int64_t start = monotonicNanoseconds();
    running = spawn(display_, program);
    std::optional<double> shown = secondsUntilShown(x_, frame, start, shot && savingShots() ? &seen : nullptr);
    if (!shown) {
      running.process.stop();
      track(kProgram, 0);
      return failed(program, "the expected frame did not show");
    }
    seconds = *shown;
    if (shot && savingShots()) seen.savePng(shotPath(shot));
    return std::nullopt;
  }

  // One run that finds the window's place and learns the frame it settles into.
  std::optional<Failure> learnLaunch(const Program &program, Target &frame) {
    Running running = spawn(display_, program);
    std::optional<Failure> failure = learnFrame(program, running, frame);
    closeAndCheck(x_, running, program);
    return failure;
  }

  std::optional<Failure> learnFrame(const Program &program, Running &running, Target &frame) {
    if (!findWindow(x_, running)) return failed(program, "no window showed with the keyboard");
    pause(1s);
    // Found again: SDL may replace a window by another while it starts.
    if (!findWindow(x_, running)) return failed(program, "its window went away");
    std::optional<Rect> area = geometry(x_, running.window);
    if (!area || area->x < 0 || area->y < 0 || area->x + area->width > empty_.width ||
        area->y + area->height > empty_.height)
      return failed(program, "its window is not wholly on the screen");
    std::optional<Target> settled = learnSettled(x_, *area, 200ms, 1200ms);
    if (!settled) return failed(program, "its window did not settle");
    frame = *settled;
    return std::nullopt;
  }

  // The document's first screen, then what Right changes: the caret one byte on, and the status bar's
  // offset with it. The caret cells blink before the key and after it, so what the key's run waits for
  // is the part that changes apart from them (the offset's digits), its pixels after the key.
  std::optional<Failure> learnDocument(Expected &expected) {
    Running running = spawn(display_, document_);
    std::optional<Failure> failure = learnFrame(document_, running, expected.opened);
    if (!failure) {
      tapKey(x_, XK_Right, true);
      tapKey(x_, XK_Right, false);
      std::optional<Target> keyed = learnSettled(x_, expected.opened.area, 500ms, 1200ms);
      if (!keyed)
        failure = failed(document_, "its window did not settle after the key");
      else if ((expected.keyed = changedPart(*keyed, expected.opened)).pixels.empty())
        failure = failed(document_, "the key changed nothing but blinking pixels");
    }
    closeAndCheck(x_, running, document_);
    return failure;
  }

  bool savingShots() const { return !shotsFolder_.empty(); }
  std::string shotPath(const std::string &name) const { return shotsFolder_ + "/" + name + ".png"; }

  void saveShot(const std::string &name, const Target &target) const {
    Screenshot shot{target.area.width, target.area.height, target.pixels};
    shot.savePng(shotPath(name));
  }

  Display *x_;
  std::string display_;
  Screenshot empty_;
  Program program_, document_, baseline_;
  // OXBYTE_BENCH_SHOTS=<folder>: the pixels learned and those seen at the moment each figure's first
  // run ended, as PNG files there, for a person to check what was taken for the answer.
  std::string shotsFolder_ = std::getenv("OXBYTE_BENCH_SHOTS") ? std::getenv("OXBYTE_BENCH_SHOTS") : "";
};

void store(Figures &figures, const std::string &name, std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  size_t n = seconds.size();
  figures[name] = n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
  figures[name + "/min"] = seconds.front();
  figures[name + "/max"] = seconds.back();
  std::fprintf(stderr, "  %-24s median %.2f ms (%.2f to %.2f ms, %zu runs)\n", name.c_str(), figures[name] * 1e3,
               seconds.front() * 1e3, seconds.back() * 1e3, n);
}

void notMeasured(const std::string &why) { std::fprintf(stderr, "  desktop figures not measured: %s\n", why.c_str()); }

}  // namespace

void measureDesktopFigures(Figures &figures) {
  std::fprintf(stderr, "desktop (Xvfb with openbox, %d fresh processes each):\n", kRuns);
  for (const char *needed : {"Xvfb", "openbox"})
    if (!onPath(needed)) return notMeasured(std::string(needed) + " is not installed (tools/install-deps desktop)");
  InterruptGuard guard;
  BenchDesktop desktop;
  std::string error;
  if (!desktop.start(error)) return notMeasured(error);
  DesktopRuns runs(desktop);
  Expected expected;
  if (std::optional<Failure> failure = runs.learn(expected)) return notMeasured(failure->reason);
  const Rect &window = expected.launched.area, &watched = expected.keyed.area;
  std::fprintf(stderr, "  on %s; window %dx%d at %d,%d; %zu blinking pixels left out; key watched at %dx%d+%d+%d\n",
               desktop.name().c_str(), window.width, window.height, window.x, window.y,
               expected.opened.ignoredCount(), watched.width, watched.height, watched.x - window.x,
               watched.y - window.y);
  std::vector<double> launch, baseline, open, key;
  // The program's runs and the baseline's alternate, so that whatever else the machine does in the
  // meantime falls on both alike.
  for (int run = 0; run < kRuns; ++run) {
    double launchSeconds = 0, baselineSeconds = 0, openSeconds = 0, keySeconds = 0;
    bool first = run == 0;
    std::optional<Failure> failure =
        runs.timeLaunch(runs.program(), expected.launched, launchSeconds, first ? "desktop_launch" : nullptr);
    if (!failure)
      failure = runs.timeLaunch(runs.baseline(), expected.baseline, baselineSeconds,
                                first ? "desktop_baseline_launch" : nullptr);
    if (!failure) failure = runs.timeDocument(expected, openSeconds, keySeconds, first);
    if (failure) return notMeasured("run " + std::to_string(run + 1) + ": " + failure->reason);
    std::fprintf(stderr, "  run %d: launch %.2f ms, baseline launch %.2f ms, open %.2f ms, key %.2f ms\n", run + 1,
                 launchSeconds * 1e3, baselineSeconds * 1e3, openSeconds * 1e3, keySeconds * 1e3);
    launch.push_back(launchSeconds);
    baseline.push_back(baselineSeconds);
    open.push_back(openSeconds);
    key.push_back(keySeconds);
  }
  store(figures, "desktop_launch", launch);
  store(figures, "desktop_baseline_launch", baseline);
  store(figures, "desktop_open", open);
  store(figures, "desktop_key", key);
}
