// user32: helpers the built-in controls share.
#include "user32/controls.h"

namespace win32 {

void notifyParent(HWND control, WORD code) {
  Window *w = findWindow(control, false);
  if (!w || !w->isChild()) return;
  SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), LPARAM(control));
}

HBRUSH controlBrush(HWND control, HDC hdc, UINT ctlColorMessage) {
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(control))
    brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, ctlColorMessage, WPARAM(hdc), LPARAM(control)));
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcA(control, ctlColorMessage, WPARAM(hdc), LPARAM(control)));
  return brush;
}

void drawDisabledText(HDC hdc, const char *text, RECT rect, UINT format) {
  int mode = SetBkMode(hdc, TRANSPARENT);
  COLORREF color = SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shadow{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
  DrawTextA(hdc, text, -1, &shadow, format);
  SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextA(hdc, text, -1, &rect, format);
  SetTextColor(hdc, color);
  SetBkMode(hdc, mode);
}

}  // namespace win32

namespace win32 {

LRESULT setTextAndRedraw(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  LRESULT result = DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return result;
}

}  // namespace win32
