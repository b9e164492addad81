// The screen on real Windows (and Wine): input through SendInput, real time, and the pixels read back
// through the windows' own device contexts.
#include "support/platform_screen.h"

#include <string>

#include "support/platform.h"
#include "support/wine.h"

namespace screen {

namespace {

// The same input as the program tests' mouse: one SendInput of the pointer at an absolute place.
void send(Pointer action, POINT at) {
  platform::mouse(action == Pointer::Press     ? platform::Mouse::Press
                  : action == Pointer::Release ? platform::Mouse::Release
                                               : platform::Mouse::Move,
                  at);
}

bool pointerAt(POINT at) {
  POINT now{};
  return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
}

}  // namespace

// SendInput queues the input; the messages it makes are handled here. Under Wine the X server reports
// the pointer moves Wine itself made as moves of its own, and one that comes late puts the pointer back
// where an earlier call left it: the pointer is sent again until it has stayed where it was sent for a
// few checks, so that the input a test makes is over when this returns.
void pointer(Pointer action, POINT at) {
  send(action, at);
  for (int stable = 0, tries = 0; stable < 3 && tries < 50; ++tries) {
    pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
    pump();
    if (pointerAt(at)) {
      ++stable;
    } else {
      stable = 0;
      send(Pointer::Move, at);
    }
  }
}

namespace {

void sendKey(WORD vk, WORD unicode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = unicode ? unicode : WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void pressKey(int vk) {
  sendKey(WORD(vk), 0, 0);
  sendKey(WORD(vk), 0, KEYEVENTF_KEYUP);
}

// Each UTF-16 unit as a key of its own (VK_PACKET), which TranslateMessage turns into its character.
void typeText(const char *utf8) {
  std::wstring text(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), int(text.size()));
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    sendKey(0, WORD(text[i]), KEYEVENTF_UNICODE);
    sendKey(0, WORD(text[i]), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  }
}

void wait(unsigned ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    pump();
    ULONGLONG now = GetTickCount64();
    if (now >= end) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now), QS_ALLINPUT);
  }
}

// Timers are checked when the thread looks at its queue, on the system's clock of 10 to 16 ms ticks;
// a loaded machine adds more.
unsigned timerSlack() { return 150; }

// Wine's GDI reads the text of its ...A calls in the code page of the font's character set (1252 for
// ANSI_CHARSET), not in the process's UTF-8 one: the text is measured as UTF-16, as the controls keep it.
int textWidth(HWND control, const char *utf8) {
  std::wstring text(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), int(text.size()));
  HDC hdc = GetDC(control);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) SelectObject(hdc, font);
  SIZE size{};
  GetTextExtentPoint32W(hdc, text.c_str(), int(text.size()) - 1, &size);
  ReleaseDC(control, hdc);
  return size.cx;
}

// Wine's theme is on unless the user's ThemeManager key says ThemeActive "0"; uxtheme tells.
bool controlsThemed() {
  if (!runningUnderWine()) return false;
  HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
  FARPROC found = uxtheme ? GetProcAddress(uxtheme, "IsThemeActive") : nullptr;
  auto isThemeActive = reinterpret_cast<BOOL(WINAPI *)()>(reinterpret_cast<void (*)()>(found));
  return isThemeActive && isThemeActive();
}

namespace {

COLORREF pixelOf(HWND window, HDC hdc, int x, int y) {
  COLORREF color = GetPixel(hdc, x, y);
  ReleaseDC(window, hdc);
  return color;
}

}  // namespace

COLORREF clientPixel(HWND window, int x, int y) {
  pump();
  return pixelOf(window, GetDC(window), x, y);
}

COLORREF windowPixel(HWND window, int x, int y) {
  pump();
  return pixelOf(window, GetWindowDC(window), x, y);
}


namespace {

// SetClipboardData fails after EmptyClipboard unless the clipboard was opened by a window, which then
// owns it: a hidden one kept for the tests' whole run.
HWND clipboardOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  return owner;
}

}  // namespace

void setClipboardText(const char *utf8) {
  if (!OpenClipboard(clipboardOwner())) return;
  EmptyClipboard();
  int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (*utf8 && units > 0) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size_t(units) * sizeof(wchar_t));
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, static_cast<wchar_t *>(GlobalLock(memory)), units);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

std::string clipboardText() {
  std::string text;
  if (!OpenClipboard(clipboardOwner())) return text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (auto *wide = static_cast<const wchar_t *>(GlobalLock(memory))) {
      text.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr)));
      WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), int(text.size()), nullptr, nullptr);
      if (!text.empty()) text.pop_back();  // the terminating null
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

void pumpUnicode() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Windows keeps the keys' state itself: a key sent down while down is its auto-repeat.
void keyDown(int vk) { sendKey(WORD(vk), 0, 0); }
void keyUp(int vk) { sendKey(WORD(vk), 0, KEYEVENTF_KEYUP); }

}  // namespace screen
