// user32: the "Static" class — wrapped text (left, centred, right), icons and plain rectangles.
#include "user32/static.h"

#include <string>

#include "user32/icon.h"

namespace win32 {
namespace {

UINT staticType(HWND hwnd) { return UINT(GetWindowLongA(hwnd, GWL_STYLE)) & SS_TYPEMASK; }

// An icon control takes the size of its icon.
void setIcon(HWND hwnd, StaticState &state, HICON icon) {
  state.icon = icon;
  if (icon) {
    int size = GetSystemMetrics(SM_CXICON);
    SetWindowPos(hwnd, nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

// The template names the icon by its resource name or number; the dialog's module supplies it, and the
// system icons stand in when the module has no such icon.
HICON iconFromCreation(const CREATESTRUCTA &cs) {
  LPCSTR name = cs.lpszName;
  if (!name || (!IS_INTRESOURCE(name) && !*name)) return nullptr;
  HICON icon = cs.hInstance ? LoadIconA(cs.hInstance, name) : nullptr;
  return icon ? icon : LoadIconA(nullptr, name);
}

UINT textFormat(DWORD style) {
  UINT format = DT_WORDBREAK;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format = DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format = DT_LEFT; break;
    case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
    default: break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  return format;
}

void paintRectangle(HDC hdc, const RECT &client, UINT type) {
  int color = type == SS_GRAYRECT ? COLOR_BTNSHADOW : type == SS_WHITERECT ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW;
  if (type == SS_BLACKFRAME) {
    FrameRect(hdc, &client, GetSysColorBrush(color));
  } else {
    FillRect(hdc, &client, GetSysColorBrush(color));
  }
}

void paintStatic(HWND hwnd, HDC hdc, const StaticState &state) {
  RECT client;
  GetClientRect(hwnd, &client);
  UINT type = staticType(hwnd);
  if (type >= SS_BLACKRECT && type <= SS_BLACKFRAME) {
    paintRectangle(hdc, client, type);
    return;
  }
  FillRect(hdc, &client, controlBrush(hwnd, hdc, WM_CTLCOLORSTATIC));
  if (type == SS_ICON) {
    if (state.icon) drawIconAt(hdc, 0, 0, state.icon, GetSystemMetrics(SM_CXICON));
    return;
  }
  std::string text(size_t(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(hwnd, text.data(), int(text.size()))));
  UINT format = textFormat(DWORD(GetWindowLongA(hwnd, GWL_STYLE)));
  if (!IsWindowEnabled(hwnd)) {
    drawDisabledText(hdc, text.c_str(), client, format);
    return;
  }
  SetBkMode(hdc, TRANSPARENT);
  DrawTextA(hdc, text.c_str(), -1, &client, format);
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) attachControlState<StaticState>(hwnd);
  StaticState *state = controlState<StaticState>(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (staticType(hwnd) == SS_ICON)
        setIcon(hwnd, *state, iconFromCreation(*reinterpret_cast<CREATESTRUCTA *>(lParam)));
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return paintControl(hwnd, [&](HDC hdc) { paintStatic(hwnd, hdc, *state); });
    case WM_SETTEXT: return setTextAndRedraw(hwnd, wParam, lParam);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case STM_SETICON: {
      HICON old = state->icon;
      setIcon(hwnd, *state, reinterpret_cast<HICON>(wParam));
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON: return reinterpret_cast<LRESULT>(state->icon);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void registerStaticClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = staticProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "Static";
  registerSystemClass(wc);
}

}  // namespace win32
