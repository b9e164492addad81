// Test helpers for dialogs and controls.
#include "win32/dialog_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>

#include "support/platform_screen.h"

namespace dialog_test {
namespace {

LRESULT CALLBACK ownerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::function<void(HWND)> &answer() {
  static std::function<void(HWND)> current;
  return current;
}

std::set<HWND> &answered() {
  static std::set<HWND> dialogs;
  return dialogs;
}

HHOOK hook = nullptr;

LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0 && answered().insert(hwnd).second && answer()) answer()(hwnd);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

std::map<UINT_PTR, std::function<void()>> &idleTasks() {
  static std::map<UINT_PTR, std::function<void()>> tasks;
  return tasks;
}

void CALLBACK idleTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto node = idleTasks().extract(id);
  if (!node.empty()) node.mapped()();
}

}  // namespace

OwnerWindow::OwnerWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ownerProc;
  wc.lpszClassName = "DialogTestOwner";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);  // fails harmlessly when already registered
  hwnd_ = CreateWindowExA(0, "DialogTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                          nullptr, nullptr, nullptr);
  pumpMessages();
}

OwnerWindow::~OwnerWindow() {
  DestroyWindow(hwnd_);
  pumpMessages();
}

OnDialogActivated::OnDialogActivated(std::function<void(HWND)> answerWith) {
  answer() = std::move(answerWith);
  answered().clear();
  hook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
}

// Steps still waiting (the dialog ended before them) must not fire in the next test.
OnDialogActivated::~OnDialogActivated() {
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  answer() = nullptr;
  for (auto &[id, task] : idleTasks()) KillTimer(nullptr, id);
  idleTasks().clear();
}

void postKey(HWND hwnd, int vk) {
  if (!hwnd) hwnd = GetFocus();
  PostMessageA(hwnd, WM_KEYDOWN, WPARAM(vk), 1);
  PostMessageA(hwnd, WM_KEYUP, WPARAM(vk), LPARAM(0xC0000001));
}

void postChar(HWND hwnd, char c, bool alt) {
  if (!hwnd) hwnd = GetFocus();
  PostMessageA(hwnd, alt ? WM_SYSCHAR : WM_CHAR, WPARAM(static_cast<unsigned char>(c)), alt ? LPARAM(1 << 29) | 1 : 1);
}

void whenIdle(std::function<void()> then) {
  UINT_PTR id = SetTimer(nullptr, 0, 10, idleTimer);
  idleTasks()[id] = std::move(then);
}

void pumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_TIMER) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

HeldKeys::HeldKeys(std::vector<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  std::memcpy(state, saved_, sizeof state);
  for (int vk : keys) state[vk] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

COLORREF clientPixel(HWND hwnd, int x, int y) {
  POINT at{x, y};
  ClientToScreen(hwnd, &at);
  HWND top = hwnd;
  while ((GetWindowLongA(top, GWL_STYLE) & WS_CHILD) && GetParent(top)) top = GetParent(top);
  ScreenToClient(top, &at);
  return screen::clientPixel(top, at.x, at.y);
}

int countPixelsWhere(HWND hwnd, const RECT &rect, const std::function<bool(COLORREF)> &matches) {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) count += matches(clientPixel(hwnd, x, y));
  return count;
}

int countPixels(HWND hwnd, const RECT &rect, COLORREF color) {
  return countPixelsWhere(hwnd, rect, [color](COLORREF c) { return c == color; });
}

int countPixelsNot(HWND hwnd, const RECT &rect, COLORREF background) {
  return (rect.right - rect.left) * (rect.bottom - rect.top) - countPixels(hwnd, rect, background);
}

// A 32-bit BMP, rows from the bottom up: the one image format that needs no more than its headers.
bool saveScreenshot(HWND hwnd, const std::string &name) {
  const char *dir = std::getenv("OXBYTE_SCREENSHOT_DIR");
  RECT r;
  if (!dir || !*dir || !GetWindowRect(hwnd, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  std::string bytes;
  auto number = [&](uint32_t n, int size) {
    for (int i = 0; i < size; ++i) bytes += char(n >> (8 * i));
  };
  bytes += "BM";
  number(54 + 4 * width * height, 4);                // the file's size
  number(0, 4);
  number(54, 4);                                     // where the pixels start
  number(40, 4);                                     // BITMAPINFOHEADER
  number(uint32_t(width), 4);
  number(uint32_t(height), 4);
  number(1, 2);                                      // planes
  number(32, 2);                                     // bits per pixel
  for (int i = 0; i < 6; ++i) number(0, 4);          // uncompressed, sizes and palette left to readers
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) {
      COLORREF c = screen::windowPixel(hwnd, x, y);
      number(uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c), 4);
    }
  std::ofstream out(std::string(dir) + "/" + name + ".bmp", std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

int lineHeight(HWND control) {
  HDC dc = GetDC(control);
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))) SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(control, dc);
  return metrics.tmHeight;
}

RECT placeOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  for (POINT &corner : corners) ScreenToClient(GetParent(control), &corner);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

std::string textOf(HWND hwnd) {
  char buffer[512] = "";
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::vector<int> DialogScript::clicks() const {
  std::vector<int> ids;
  for (auto [id, code] : commands)
    if (code == BN_CLICKED) ids.push_back(id);
  return ids;
}

DialogScript &script() {
  static DialogScript current;
  return current;
}

INT_PTR CALLBACK scriptedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogScript &s = script();
  switch (message) {
    case WM_INITDIALOG:
      s.initFocusId = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
      if (s.onInit) s.onInit(dialog, lParam);
      if (s.focusOnInit) SetFocus(GetDlgItem(dialog, s.focusOnInit));
      return s.initResult;
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      s.commands.emplace_back(id, HIWORD(wParam));
      if (std::find(s.ending.begin(), s.ending.end(), id) == s.ending.end()) return FALSE;
      EndDialog(dialog, id);
      return TRUE;
    }
    default: return FALSE;
  }
}

TemplateControl control(WORD atom, int id, DWORD style, RECT units, const char *text, const char *className) {
  return {atom, id, DWORD(WS_CHILD | WS_VISIBLE) | style, units, text, className};
}

namespace {

// The words of a DLGTEMPLATE and its DLGITEMTEMPLATEs: strings in UTF-16, each item on a DWORD boundary.
class TemplateWords {
 public:
  void dword(DWORD d) { words_.insert(words_.end(), {LOWORD(d), HIWORD(d)}); }
  void word(WORD w) { words_.push_back(w); }
  // UTF-8 to UTF-16, with its terminating NUL.
  void text(const std::string &utf8) {
    for (size_t i = 0; i < utf8.size();) {
      unsigned char lead = utf8[i];
      int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
      uint32_t c = extra ? lead & (0x3F >> extra) : lead;
      for (int k = 1; k <= extra && i + k < utf8.size(); ++k) c = c << 6 | (utf8[i + k] & 0x3F);
      i += size_t(extra) + 1;
      if (c >= 0x10000) {
        words_.push_back(WORD(0xD800 + ((c - 0x10000) >> 10)));
        c = 0xDC00 + (c & 0x3FF);
      }
      words_.push_back(WORD(c));
    }
    words_.push_back(0);
  }
  void alignToDword() {
    if (words_.size() % 2) words_.push_back(0);
  }
  const DLGTEMPLATE *get() const { return reinterpret_cast<const DLGTEMPLATE *>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

}  // namespace

INT_PTR dialogBoxIndirect(const DialogTemplate &tmpl, HWND owner, DLGPROC proc, LPARAM param) {
  TemplateWords t;
  t.dword(tmpl.style);
  t.dword(0);
  t.word(WORD(tmpl.controls.size()));
  for (short v : {tmpl.x, tmpl.y, tmpl.cx, tmpl.cy}) t.word(WORD(v));
  t.word(0);  // no menu
  t.word(0);  // the dialog class
  t.word(0);  // no caption
  for (const TemplateControl &c : tmpl.controls) {
    t.alignToDword();
    t.dword(c.style);
    t.dword(0);
    for (LONG v : {c.units.left, c.units.top, c.units.right, c.units.bottom}) t.word(WORD(v));
    t.word(WORD(c.id));
    if (c.atom) {
      t.word(0xFFFF);
      t.word(c.atom);
    } else {
      t.text(c.className);
    }
    t.text(c.text);
    t.word(0);  // no creation data
  }
  return DialogBoxIndirectParamA(nullptr, t.get(), owner, proc, param);
}

namespace {
void setKeyHeld(int vk, bool held) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[vk] = held ? BYTE(keys[vk] | 0x80) : BYTE(keys[vk] & ~0x80);
  SetKeyboardState(keys);
}
}  // namespace

Action holdKey(int vk) {
  return run([vk] { setKeyHeld(vk, true); });
}

Action releaseKey(int vk) {
  return run([vk] { setKeyHeld(vk, false); });
}

void play(HWND dialog, std::vector<Action> actions) {
  whenIdle([dialog, actions = std::move(actions)]() mutable {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return;
    if (actions.empty()) {
      EndDialog(dialog, kStillOpen);
      return;
    }
    Action next = actions.front();
    actions.erase(actions.begin());
    HWND target = GetFocus() ? GetFocus() : dialog;
    switch (next.kind) {
      case Action::Key: postKey(target, next.value); break;
      case Action::Char: postChar(target, char(next.value)); break;
      case Action::AltChar: postChar(target, char(next.value), true); break;
      case Action::Run: next.run(); break;
    }
    play(dialog, std::move(actions));
  });
}

INT_PTR runProgramDialog(int templateId, HWND owner, std::vector<Action> actions, LPARAM param, HINSTANCE instance) {
  OnDialogActivated answer([&](HWND dialog) { play(dialog, actions); });
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, scriptedDialogProc, param);
}

}  // namespace dialog_test
