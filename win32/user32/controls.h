// user32: what the built-in controls (button, edit, static) share — their state, parent talk and colours.
#ifndef OXBYTE_WIN32_USER32_CONTROLS_H
#define OXBYTE_WIN32_USER32_CONTROLS_H

#include <windows.h>

#include "user32/window.h"

namespace win32 {

// The state a control of type State keeps in its window, or null (another class, or a destroyed window).
template <typename State>
State *controlState(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  return w ? dynamic_cast<State *>(w->control.get()) : nullptr;
}

// Creates the control's state when the window is created (WM_NCCREATE).
template <typename State>
State &attachControlState(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  if (!dynamic_cast<State *>(w->control.get())) w->control = std::make_unique<State>();
  return *static_cast<State *>(w->control.get());
}

// WM_COMMAND with the control's identifier and a notification code, sent to its parent.
void notifyParent(HWND control, WORD code);

// The parent's WM_CTLCOLOR* answer: sets the DC's text and background colours and gives the brush that
// fills the control's background (the default colours when the parent leaves them to DefWindowProc).
HBRUSH controlBrush(HWND control, HDC hdc, UINT ctlColorMessage);

// Text drawn the way disabled controls show it: grey, with a white copy one pixel down and right.
void drawDisabledText(HDC hdc, const char *text, RECT rect, UINT format);

// WM_PAINT for a control: `paint(hdc)` draws the whole control between BeginPaint and EndPaint.
template <typename Paint>
LRESULT paintControl(HWND hwnd, Paint paint) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  paint(hdc);
  EndPaint(hwnd, &ps);
  return 0;
}

// WM_SETTEXT for a control that shows its text: keep it, then draw the control again.
LRESULT setTextAndRedraw(HWND hwnd, WPARAM wParam, LPARAM lParam);

}  // namespace win32

#endif
