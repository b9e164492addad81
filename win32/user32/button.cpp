// user32: the "Button" class — its states, the mouse and the space bar, and the BM_* messages.
#include "user32/button.h"

#include "user32/controls.h"
#include <windowsx.h>

namespace win32 {
namespace {

UINT buttonType(HWND hwnd) { return UINT(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool isRadio(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

LRESULT dialogCode(UINT type) {
  switch (type) {
    case BS_PUSHBUTTON:
    case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

void redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

void setPushed(HWND hwnd, ButtonState &state, bool pushed) {
  if (state.pushed == pushed) return;
  state.pushed = pushed;
  redraw(hwnd);
}

// A radio button carries WS_TABSTOP only while it is checked, so Tab enters its group at the checked one.
void setCheck(HWND hwnd, ButtonState &state, WPARAM value) {
  UINT type = buttonType(hwnd);
  UINT highest = (type == BS_3STATE || type == BS_AUTO3STATE)                        ? BST_INDETERMINATE
                 : (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || isRadio(type)) ? BST_CHECKED
                                                                                     : BST_UNCHECKED;
  UINT check = value > highest ? highest : UINT(value);
  if (isRadio(type))
    if (Window *w = findWindow(hwnd, false)) w->style = check ? (w->style | WS_TABSTOP) : (w->style & ~WS_TABSTOP);
  if (state.check == check) return;
  state.check = check;
  redraw(hwnd);
}

// Clicking an automatic radio button unchecks the other automatic radio buttons of its group.
void uncheckGroupSiblings(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  HWND start = GetNextDlgGroupItem(parent, hwnd, TRUE), sibling = start;
  while (sibling) {
    if (sibling != hwnd && buttonType(sibling) == BS_AUTORADIOBUTTON)
      SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    sibling = GetNextDlgGroupItem(parent, sibling, FALSE);
    if (sibling == start) break;
  }
}

void pressDown(HWND hwnd, ButtonState &state) {
  state.tracking = true;
  SetCapture(hwnd);
  SetFocus(hwnd);
  if (ButtonState *again = controlState<ButtonState>(hwnd)) setPushed(hwnd, *again, true);
}

// The button is clicked when it is released while still pressed in: for the mouse, over the button.
void release(HWND hwnd, bool byKey, LPARAM point) {
  ButtonState *state = controlState<ButtonState>(hwnd);
  if (!state || !state->tracking) return;
  state->tracking = false;
  if (!state->pushed) {
    ReleaseCapture();
    return;
  }
  setPushed(hwnd, *state, false);
  RECT client;
  GetClientRect(hwnd, &client);
  POINT pt{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  bool inside = pt.x >= client.left && pt.x < client.right && pt.y >= client.top && pt.y < client.bottom;
  ReleaseCapture();
  if (!byKey && !inside) return;
  switch (buttonType(hwnd)) {
    case BS_AUTOCHECKBOX: SendMessageA(hwnd, BM_SETCHECK, state->check ? BST_UNCHECKED : BST_CHECKED, 0); break;
    case BS_AUTO3STATE: SendMessageA(hwnd, BM_SETCHECK, (state->check + 1) % 3, 0); break;
    case BS_AUTORADIOBUTTON:
      SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      uncheckGroupSiblings(hwnd);
      break;
    default: break;
  }
  notifyParent(hwnd, BN_CLICKED);
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) attachControlState<ButtonState>(hwnd);
  ButtonState *state = controlState<ButtonState>(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  UINT type = buttonType(hwnd);
  switch (message) {
    case WM_GETDLGCODE: return dialogCode(type);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return paintControl(hwnd, [&](HDC hdc) { paintButton(hwnd, hdc, *state); });
    case WM_SETTEXT: return setTextAndRedraw(hwnd, wParam, lParam);
    case WM_ENABLE: redraw(hwnd); return 0;
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
      if (type != BS_GROUPBOX) pressDown(hwnd, *state);
      return 0;
    case WM_MOUSEMOVE:
      // Only a drag with the left button pushes the button in and out; a key's press ignores the pointer.
      if (state->tracking && GetCapture() == hwnd && (wParam & MK_LBUTTON)) {
        RECT client;
        GetClientRect(hwnd, &client);
        int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        setPushed(hwnd, *state, x >= 0 && y >= 0 && x < client.right && y < client.bottom);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && type != BS_GROUPBOX) pressDown(hwnd, *state);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) release(hwnd, true, 0);
      return 0;
    case WM_LBUTTONUP: release(hwnd, false, lParam); return 0;
    case WM_CAPTURECHANGED:
      if (state->tracking) {
        state->tracking = false;
        setPushed(hwnd, *state, false);
      }
      return 0;
    case WM_SETFOCUS:
      state->focused = true;
      redraw(hwnd);
      return 0;
    case WM_KILLFOCUS:
      state->focused = false;
      if (state->tracking && GetCapture() == hwnd) ReleaseCapture();
      redraw(hwnd);
      return 0;
    case BM_GETCHECK: return state->check;
    case BM_SETCHECK: setCheck(hwnd, *state, wParam); return 0;
    case BM_GETSTATE: return state->check | (state->pushed ? BST_PUSHED : 0) | (state->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: setPushed(hwnd, *state, wParam != 0); return 0;
    case BM_SETSTYLE:
      if (Window *w = findWindow(hwnd, false)) w->style = (w->style & ~BS_TYPEMASK) | (DWORD(wParam) & BS_TYPEMASK);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case BM_CLICK:
      // A click as the mouse makes it; a disabled button ignores it.
      if (!IsWindowEnabled(hwnd)) return 0;
      SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
      return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void registerButtonClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = buttonProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "Button";
  registerSystemClass(wc);
}

}  // namespace win32
