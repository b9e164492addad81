// Test helpers for dialogs and controls.
#include "win32/dialog_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "backend/headless/png.h"
#include "user32/window.h"

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

win32::Window *topWindow(HWND hwnd, POINT &origin) {
  win32::Window *w = win32::findWindow(hwnd, false);
  if (!w) return nullptr;
  origin = win32::clientOrigin(*w);
  win32::Window *top = win32::topLevelOf(w);
  return top && top->top ? top : nullptr;
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
  hook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, 0);
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
  POINT origin;
  win32::Window *top = topWindow(hwnd, origin);
  if (!top) return CLR_INVALID;
  const win32::Surface &s = top->top->surface;
  int sx = origin.x + x, sy = origin.y + y;
  if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) return CLR_INVALID;
  return win32::colorOf(s.pixels[size_t(sy) * s.width + sx]);
}

int countPixels(HWND hwnd, const RECT &rect, COLORREF color) {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) count += clientPixel(hwnd, x, y) == color;
  return count;
}

int countPixelsNot(HWND hwnd, const RECT &rect, COLORREF background) {
  return (rect.right - rect.left) * (rect.bottom - rect.top) - countPixels(hwnd, rect, background);
}

bool saveScreenshot(HWND hwnd, const std::string &name) {
  const char *dir = std::getenv("OXBYTE_SCREENSHOT_DIR");
  win32::Window *w = win32::findWindow(hwnd, false);
  if (!dir || !*dir || !w || !w->top) return false;
  const win32::Surface &s = w->top->surface;
  return win32::writePng(std::string(dir) + "/" + name + ".png", s.pixels.data(), s.width, s.height);
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

win32::DialogTemplate dialogTemplate(int cx, int cy, std::vector<win32::DialogItemTemplate> items) {
  win32::DialogTemplate tmpl;
  tmpl.style = WS_POPUP | WS_CAPTION;
  tmpl.cx = cx;
  tmpl.cy = cy;
  tmpl.items = std::move(items);
  return tmpl;
}

win32::DialogItemTemplate control(uint16_t atom, int id, DWORD style, RECT units, const char *text,
                                  const char *className) {
  win32::DialogItemTemplate item;
  item.style = WS_CHILD | WS_VISIBLE | style;
  item.x = units.left;
  item.y = units.top;
  item.cx = units.right;
  item.cy = units.bottom;
  item.id = DWORD(id);
  item.windowClass = atom ? win32::NameOrOrdinal{true, atom, {}} : win32::NameOrOrdinal{false, 0, className};
  item.text = {false, 0, text};
  return item;
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
