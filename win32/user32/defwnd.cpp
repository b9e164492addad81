// user32: DefWindowProcA, what a window does with the messages its procedure does not handle.
#include <cstring>

#include "backend/driver.h"
#include "gdi32/dc.h"
#include "gdi32/paint.h"
#include "user32/menu_loop.h"
#include "user32/paint.h"
#include "user32/scrollbar.h"
#include "user32/window.h"
#include <windowsx.h>

namespace win32 {

namespace {

LRESULT setText(Window &w, LPARAM lParam) {
  const char *text = reinterpret_cast<const char *>(lParam);
  w.text = text ? text : "";
  if (w.top) backend::driver().setTitle(w.top->native, w.text);
  return TRUE;
}

LRESULT getText(Window &w, WPARAM size, LPARAM lParam) {
  char *buffer = reinterpret_cast<char *>(lParam);
  if (!buffer || size == 0) return 0;
  size_t n = std::min(w.text.size(), size_t(size) - 1);
  std::memcpy(buffer, w.text.data(), n);
  buffer[n] = 0;
  return LRESULT(n);
}

LRESULT eraseBackground(Window &w, HDC hdc) {
  HBRUSH brush = w.cls->background;
  if (!brush) return 0;
  RECT client = clientRectOf(w);
  FillRect(hdc, &client, brush);
  return 1;
}

// The stand-in can neither maximise a window nor move or size one from the keyboard (the desktop's window
// manager does both with the mouse), so SC_MAXIMIZE, SC_MOVE and SC_SIZE do nothing.
LRESULT sysCommand(Window &w, WPARAM command, LPARAM lParam) {
  switch (command & 0xFFF0) {
    case SC_CLOSE: return SendMessageA(w.handle, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(w.handle, SW_MINIMIZE); return 0;
    case SC_RESTORE: ShowWindow(w.handle, SW_RESTORE); return 0;
    case SC_KEYMENU:
    case SC_MOUSEMENU: return trackMenu(w, command, lParam);
    default: return 0;
  }
}

// Alt+F4 closes; F10, a tap of Alt and Alt+letter open the menu bar; Shift+F10 asks the window for its
// context menu. Alt and F10 count when released, and only when this procedure also saw them pressed: the
// press that leaves a menu belongs to the menu loop, and its release must not open the menu again.
LRESULT sysKey(Window &w, UINT message, WPARAM vk, LPARAM lParam) {
  static bool altAlone = false, f10Pressed = false;
  Window *top = topLevelOf(&w);
  if (!top) return 0;
  if (message == WM_SYSKEYDOWN) {
    bool repeat = lParam & (1 << 30);
    altAlone = vk == VK_MENU && (altAlone || !repeat);
    f10Pressed = vk == VK_F10;
    if (vk == VK_F4 && (lParam & (1 << 29))) PostMessageA(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (vk == VK_F10 && !(lParam & (1 << 29)) && GetKeyState(VK_SHIFT) < 0)
      SendMessageA(w.handle, WM_CONTEXTMENU, WPARAM(w.handle), -1);
    return 0;
  }
  bool menuKey = (vk == VK_MENU && altAlone) || (vk == VK_F10 && f10Pressed);
  altAlone = f10Pressed = false;
  if (menuKey) SendMessageA(top->handle, WM_SYSCOMMAND, SC_KEYMENU, 0);
  return 0;
}

// Alt+letter opens the menu bar (no menu: a beep) and Alt+Space the system menu, from any child of the
// window; Alt+Tab and Alt+Esc belong to the desktop.
LRESULT sysChar(Window &w, WPARAM ch, LPARAM lParam) {
  if (ch == VK_TAB || ch == VK_ESCAPE) return 0;
  Window *top = topLevelOf(&w);
  bool alt = (lParam & (1 << 29)) != 0;
  if (alt && ch == ' ') {
    if (top && (top->style & WS_SYSMENU)) SendMessageA(top->handle, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(ch));
  } else if (alt && top && top->menu) {
    SendMessageA(top->handle, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(ch));
  } else {
    MessageBeep(0);
  }
  return 0;
}

// A release of the right button asks the window for its context menu, at the screen point; a child that
// has none passes the question to its parent. A top-level window has none: the caption, whose menu this
// would be on Windows, is the desktop's.
LRESULT contextMenu(Window &w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_RBUTTONUP) {
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(w.handle, &screen);
    return SendMessageA(w.handle, WM_CONTEXTMENU, WPARAM(w.handle), MAKELPARAM(screen.x, screen.y));
  }
  if (w.isChild()) return SendMessageA(w.parent, WM_CONTEXTMENU, wParam, lParam);
  return 0;
}

}  // namespace
}  // namespace win32

using namespace win32;

extern "C" {

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *w = findWindow(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) setText(*w, LPARAM(cs->lpszName));
      return TRUE;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SETTEXT: return setText(*w, lParam);
    case WM_GETTEXT: return getText(*w, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_ERASEBKGND: return eraseBackground(*w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) SetFocus(hwnd);
      return 0;
    case WM_MOUSEACTIVATE:
      // A child asks its parent first; the parent's answer stands when it gives one.
      if (w->isChild())
        if (LRESULT answer = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam)) return answer;
      return MA_ACTIVATE;
    case WM_NCACTIVATE: return TRUE;
    case WM_SYSCOMMAND: return sysCommand(*w, wParam, lParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return sysKey(*w, message, wParam, lParam);
    case WM_SYSCHAR: return sysChar(*w, wParam, lParam);
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return contextMenu(*w, message, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTVSCROLL) return trackScrollBar(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return menuBarMouse(*w, message, wParam, lParam);
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP: return menuBarMouse(*w, message, wParam, lParam);
    case WM_MOUSEWHEEL:
      if (w->isChild()) return SendMessageA(w->parent, message, wParam, lParam);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    default: return 0;
  }
}

}  // extern "C"
