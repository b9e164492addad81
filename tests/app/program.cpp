// The real program started in-process (on Linux on the headless backend, on Windows on the desktop).
#include "tests/app/program.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "resources/resource.h"
#include "support/platform.h"
#include "tests/support/press_key.h"
#include "tests/support/quit_program.h"

namespace {

std::string windowText(HWND hwnd) {
  char text[1024];
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// A new, empty folder of this test under the system's temporary folder.
std::string makeTestFolder() {
  namespace fs = std::filesystem;
  std::random_device seed;
  for (;;) {
    fs::path folder = fs::temp_directory_path() / ("oxbyte-test-" + std::to_string(seed()));
    if (fs::create_directory(folder)) return folder.string();
  }
}

// Files a test made read-only go too.
void removeTestFolder(const std::string &folder) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (const fs::directory_entry &e : fs::recursive_directory_iterator(folder, ignored))
    if (!e.is_symlink(ignored)) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(folder, ignored);
}

}  // namespace

namespace {

// Ten minutes of test time with a modal window still waiting means the test forgot to answer it.
void CALLBACK watchdog(HWND, UINT, UINT_PTR, DWORD) {
  ADD_FAILURE() << "a modal window was left waiting";
  HWND active = GetActiveWindow();
  PostMessageA(active, WM_COMMAND, IDCANCEL, 0);
  PostMessageA(active, WM_COMMAND, IDNO, 0);
  PostMessageA(active, WM_KEYDOWN, VK_ESCAPE, 1);
}

}  // namespace

void ProgramTest::SetUp() {
  // Numbers in the caption follow the locale; tests see the default one unless they choose another.
  platform::useDefaultLocale();
  folder = makeTestFolder();
  answerDialogs([this](HWND dialog, int offeredBefore) {
    if (offeredBefore == 0) answer(dialog);
  });
  watchdogTimer = SetTimer(nullptr, 0, 600000, watchdog);
}

void ProgramTest::TearDown() {
  if (running()) {
    // Questions about unsaved changes at the end of a test are answered No.
    answers.clear();
    closing = true;
    quit();
  }
  answerDialogs({});
  KillTimer(nullptr, watchdogTimer);
  forgetProgram(program);
  removeTestFolder(folder);
}

// Each dialog is answered once. A dialog nobody expected is cancelled so that a test never hangs, and
// fails — except while the test is closing the program.
void ProgramTest::answer(HWND dialog) {
  dialogs.push_back(seeDialog(dialog));
  if (answers.empty()) {
    if (!closing) ADD_FAILURE() << "unexpected dialog \"" << dialogs.back().caption << "\"";
    PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return;
  }
  auto next = std::move(answers.front());
  answers.pop_front();
  next(dialog);
}

bool ProgramTest::start(const std::string &commandLine) {
  program = startOxbyte(GetModuleHandleA(nullptr), commandLine.c_str(), SW_SHOWNORMAL);
  if (program.frame) platform::holdBlinkTimer(program.frame, 1);
  pump();
  return program.frame != nullptr;
}

void ProgramTest::pump() { handleWaitingMessages(program); }

int ProgramTest::quit() { return quitProgram(program); }

std::string ProgramTest::writeFile(const std::string &name, const std::string &bytes) {
  std::string full = path(name);
  std::ofstream(full, std::ios::binary) << bytes;
  return full;
}

std::vector<std::string> ProgramTest::namesIn(const std::string &folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const std::filesystem::directory_entry &entry : std::filesystem::directory_iterator(folder, ignored))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ProgramTest::readFile(const std::string &fullPath) const {
  std::ifstream in(fullPath, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void ProgramTest::openWithDialog(const std::string &fullPath, UINT then) {
  answerWithText(1148, fullPath, IDOK);  // cmb13: the file name box
  if (then) answerWith(then);
  command(IDM_OPEN);
}

void ProgramTest::answerNext(std::function<void(HWND)> answer) { answers.push_back(std::move(answer)); }

void ProgramTest::answerWith(UINT id) {
  answerNext([id](HWND dialog) { PostMessageA(dialog, WM_COMMAND, id, 0); });
}

void ProgramTest::answerWithText(int editId, const std::string &text, UINT id) {
  answerNext([=](HWND dialog) {
    SetDlgItemTextA(dialog, editId, text.c_str());
    PostMessageA(dialog, WM_COMMAND, id, 0);
  });
}

void ProgramTest::key(int vk, bool ctrl) { pressKey(program, vk, ctrl); }

void ProgramTest::type(const std::string &text) {
  for (unsigned char c : text) {
    PostMessageA(program.frame, WM_CHAR, c, 1);
    pump();
  }
}

void ProgramTest::command(int id) {
  PostMessageA(program.frame, WM_COMMAND, WPARAM(id), 0);
  pump();
}

void ProgramTest::click(int x, int y) {
  PostMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(view(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  pump();
}

void ProgramTest::tick(int times) {
  for (int i = 0; i < times; ++i) {
    PostMessageA(program.frame, WM_TIMER, IDT_BLINK, 0);
    pump();
  }
}

std::string ProgramTest::caption() const { return windowText(program.frame); }

std::string ProgramTest::statusText(int part) const {
  char text[256] = {};
  SendMessageA(status(), SB_GETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(text));
  return text;
}

UINT ProgramTest::menuState(int id) const { return GetMenuState(GetMenu(program.frame), UINT(id), MF_BYCOMMAND); }

int ProgramTest::buttonState(int id) const { return int(SendMessageA(toolbar(), TB_GETSTATE, WPARAM(id), 0)); }

HWND ProgramTest::toolbar() const { return GetDlgItem(program.frame, IDC_TOOLBAR); }
HWND ProgramTest::status() const { return GetDlgItem(program.frame, IDC_STATUS_BAR); }
HWND ProgramTest::view() const { return GetDlgItem(program.frame, IDC_VIEW); }

SCROLLINFO ProgramTest::scroll() const {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(view(), SB_VERT, &si);
  return si;
}

COLORREF ProgramTest::pixel(HWND hwnd, int x, int y) const {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

ProgramTest::Cell ProgramTest::cell(int cellX, int row) const {
  std::map<COLORREF, int> counts;
  HDC dc = GetDC(view());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) ++counts[GetPixel(dc, cellX * 8 + x, row * 16 + y)];
  ReleaseDC(view(), dc);
  Cell result{CLR_INVALID, CLR_INVALID, false};
  int most = -1;
  for (auto [color, n] : counts)
    if (n > most) most = n, result.background = color;
  for (auto [color, n] : counts)
    if (color != result.background) result.text = color, result.ink = true;
  return result;
}

// Draws the expected text the same way on a window of its own and compares the pixels. The window lies on
// the screen, below the frame: a desktop keeps no pixels of windows or parts of windows off the screen.
bool ProgramTest::cellsShow(int cellX, int row, const std::string &text, COLORREF textColor,
                            COLORREF background) const {
  static HWND scratch = nullptr;
  RECT frame;
  GetWindowRect(program.frame, &frame);
  if (!IsWindow(scratch))
    scratch = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Static", "", WS_POPUP, 0, 0, 400, 20, nullptr,
                              nullptr, nullptr, nullptr);
  SetWindowPos(scratch, nullptr, frame.left, frame.bottom + 8, 400, 20, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  HDC ref = GetDC(scratch);
  SelectObject(ref, GetStockObject(SYSTEM_FIXED_FONT));
  SetTextColor(ref, textColor);
  SetBkColor(ref, background);
  TextOutA(ref, 0, 0, text.data(), int(text.size()));
  HDC dc = GetDC(view());
  bool same = true;
  for (int y = 0; y < 16 && same; ++y)
    for (int x = 0; x < int(text.size()) * 8 && same; ++x)
      same = GetPixel(dc, cellX * 8 + x, row * 16 + y) == GetPixel(ref, x, y);
  ReleaseDC(view(), dc);
  ReleaseDC(scratch, ref);
  return same;
}
