// The screen on Linux: the stand-in's headless desktop, its clock that only the tests move, and the
// pixels of its top-level surfaces.
#include "support/platform_screen.h"

#include <cstdio>
#include <initializer_list>

#include "backend/driver.h"
#include "support/platform.h"
#include "user32/window.h"

namespace screen {

namespace {

win32::Window *topLevel(HWND hwnd) {
  win32::Window *w = hwnd ? win32::findWindow(hwnd, false) : nullptr;
  w = w ? win32::topLevelOf(w) : nullptr;
  return w && w->top ? w : nullptr;
}

COLORREF surfacePixel(HWND hwnd, POINT origin, int x, int y) {
  win32::Window *top = topLevel(hwnd);
  if (!top) return CLR_INVALID;
  const win32::Surface &s = top->top->surface;
  int sx = origin.x + x, sy = origin.y + y;
  if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) return CLR_INVALID;
  return win32::colorOf(s.pixels[size_t(sy) * s.width + sx]);
}

}  // namespace

// The same input as the program tests' mouse, handled before the call returns.
void pointer(Pointer action, POINT at) {
  platform::mouse(action == Pointer::Press     ? platform::Mouse::Press
                  : action == Pointer::Release ? platform::Mouse::Release
                                               : platform::Mouse::Move,
                  at);
  pump();
}

namespace {

void sendKey(win32::backend::EventType type, int vk, const char *text = "") {
  win32::Window *top = topLevel(GetActiveWindow());
  if (!top) return;
  win32::backend::Event e;
  e.type = type;
  e.window = top->top->native;
  e.vk = vk;
  std::snprintf(e.text, sizeof e.text, "%s", text);
  win32::backend::injectHeadlessEvent(e);
}

}  // namespace

void pressKey(int vk) {
  sendKey(win32::backend::EventType::KeyDown, vk);
  sendKey(win32::backend::EventType::KeyUp, vk);
}

void typeText(const char *utf8) { sendKey(win32::backend::EventType::Text, 0, utf8); }

// The headless clock stands still unless moved: timers fire exactly when due.
void wait(unsigned ms) {
  win32::backend::advanceHeadlessClock(ms);
  pump();
}

unsigned timerSlack() { return 0; }

// Every ...A call of the stand-in takes UTF-8.
int textWidth(HWND control, const char *utf8) {
  HDC hdc = GetDC(control);
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))) SelectObject(hdc, font);
  SIZE size{};
  GetTextExtentPoint32A(hdc, utf8, lstrlenA(utf8), &size);
  ReleaseDC(control, hdc);
  return size.cx;
}

bool controlsThemed() { return false; }

COLORREF clientPixel(HWND window, int x, int y) {
  pump();
  win32::Window *w = win32::findWindow(window, false);
  return w ? surfacePixel(window, win32::clientOrigin(*w), x, y) : CLR_INVALID;
}

COLORREF windowPixel(HWND window, int x, int y) {
  pump();
  win32::Window *w = win32::findWindow(window, false);
  return w ? surfacePixel(window, win32::windowOrigin(*w), x, y) : CLR_INVALID;
}


void setClipboardText(const char *utf8) { win32::backend::driver().setClipboardText(utf8); }

std::string clipboardText() { return win32::backend::driver().clipboardText(); }

// The stand-in's messages have one form only.
void pumpUnicode() { pump(); }

namespace {

// The keys down now, as the desktop knows them: the headless backend takes the modifiers and the
// auto-repeat with each event rather than working them out itself.
bool held[256];

void sendHeldKey(int vk, bool down) {
  win32::Window *top = topLevel(GetActiveWindow());
  if (!top) return;
  win32::backend::Event e;
  e.type = down ? win32::backend::EventType::KeyDown : win32::backend::EventType::KeyUp;
  e.window = top->top->native;
  e.vk = vk;
  e.repeat = down && held[vk & 0xFF];
  held[vk & 0xFF] = down;
  auto any = [](std::initializer_list<int> keys) {
    for (int k : keys)
      if (held[k]) return true;
    return false;
  };
  if (any({VK_SHIFT, VK_LSHIFT, VK_RSHIFT})) e.mods |= win32::backend::ModShift;
  if (any({VK_CONTROL, VK_LCONTROL, VK_RCONTROL})) e.mods |= win32::backend::ModCtrl;
  if (any({VK_MENU, VK_LMENU, VK_RMENU})) e.mods |= win32::backend::ModAlt;
  win32::backend::injectHeadlessEvent(e);
}

}  // namespace

void keyDown(int vk) { sendHeldKey(vk, true); }
void keyUp(int vk) { sendHeldKey(vk, false); }

}  // namespace screen
