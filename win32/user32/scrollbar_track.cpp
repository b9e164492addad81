// user32: the scroll bar under the mouse. Arrows and page areas repeat while held; the thumb sends
// SB_THUMBTRACK with the 32-bit track position kept for GetScrollInfo, then SB_THUMBPOSITION, and every
// press ends with SB_ENDSCROLL.
#include "user32/paint.h"
#include "user32/scrollbar.h"
#include <windowsx.h>

namespace win32 {
namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFFA;
constexpr UINT kFirstDelay = 200, kRepeatDelay = 50;

WPARAM codeFor(ScrollPart part) {
  switch (part) {
    case UpArrow: return SB_LINEUP;
    case DownArrow: return SB_LINEDOWN;
    case PageUpArea: return SB_PAGEUP;
    case PageDownArea: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

// The pointer's height within the bar, from a point in the window's client coordinates.
int barY(const Window &w, POINT client) {
  RECT in = nonClientInsets(w);
  return client.y + in.top - scrollBarRect(w).top;
}

// The thumb follows the pointer only this near the bar: eight bar widths to either side, two above and
// below (Wine's scroll.c, and Wine under the probe, to the pixel); farther away it goes back to where
// the drag began, until the pointer returns.
bool nearTheBar(const Window &w, POINT client) {
  RECT in = nonClientInsets(w), bar = scrollBarRect(w);
  int width = bar.right - bar.left;
  RECT area{bar.left - 8 * width, bar.top - 2 * width, bar.right + 8 * width, bar.bottom + 2 * width};
  return rectContains(area, client.x + in.left, client.y + in.top);
}

ScrollGeometry geometryOf(const Window &w) {
  RECT r = scrollBarRect(w);
  ScrollBarState bar = *w.vscroll;
  if (bar.tracking) bar.pos = bar.trackPos;
  return scrollGeometry(bar, r.bottom - r.top);
}

void setPressed(HWND hwnd, int part) {
  if (Window *w = findWindow(hwnd, false); w && w->vscroll && w->vscroll->pressedPart != part) {
    w->vscroll->pressedPart = part;
    paintFrame(*w);
  }
}

struct Drag {
  HWND hwnd;
  ScrollPart part;
  int grab;    // where in the thumb the pointer took hold
  int y;       // the pointer's height within the bar
  int pressY;  // the height at the press, where the thumb goes back to
};

void dragThumb(Drag &drag) {
  Window *w = findWindow(drag.hwnd, false);
  if (!w || !w->vscroll) return;
  ScrollGeometry g = geometryOf(*w);
  int pos = positionForThumb(*w->vscroll, g, drag.y - drag.grab);
  if (pos == w->vscroll->trackPos) return;
  w->vscroll->trackPos = pos;
  paintFrame(*w);
  SendMessageA(drag.hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, WORD(pos)), 0);
}

// Repeats the press while the pointer stays on the part that was pressed; a page repeat therefore stops
// when the thumb reaches the pointer.
void repeat(Drag &drag) {
  Window *w = findWindow(drag.hwnd, false);
  if (!w || !w->vscroll) return;
  bool over = scrollPartAt(geometryOf(*w), drag.y) == drag.part;
  setPressed(drag.hwnd, over ? drag.part : NoPart);
  if (over) SendMessageA(drag.hwnd, WM_VSCROLL, codeFor(drag.part), 0);
  SetTimer(drag.hwnd, kRepeatTimer, kRepeatDelay, nullptr);
}

bool runTracking(Drag &drag) {
  MSG msg;
  while (GetCapture() == drag.hwnd) {
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (msg.hwnd == drag.hwnd && msg.message == WM_TIMER && msg.wParam == kRepeatTimer) {
      repeat(drag);
      continue;
    }
    if (msg.hwnd == drag.hwnd && (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)) {
      Window *w = findWindow(drag.hwnd, false);
      if (!w) return false;
      POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      drag.y = drag.part == Thumb && !nearTheBar(*w, at) ? drag.pressY : barY(*w, at);
      if (drag.part == Thumb) dragThumb(drag);
      if (msg.message == WM_LBUTTONUP) return true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return findWindow(drag.hwnd, false) != nullptr;
}

}  // namespace

LRESULT trackScrollBar(Window &w, POINT screen) {
  if (!w.vscroll || !w.vscroll->shown) return 0;
  HWND hwnd = w.handle;
  POINT client = screen;
  ScreenToClient(hwnd, &client);
  ScrollGeometry g = geometryOf(w);
  Drag drag{hwnd, scrollPartAt(g, barY(w, client)), 0, barY(w, client), barY(w, client)};
  if (largestPosition(*w.vscroll) <= w.vscroll->min) return 0;
  SetCapture(hwnd);
  if (drag.part == Thumb) {
    drag.grab = drag.y - g.thumbTop;
    w.vscroll->tracking = true;
    w.vscroll->trackPos = w.vscroll->pos;
    setPressed(hwnd, Thumb);
  } else {
    setPressed(hwnd, drag.part);
    SendMessageA(hwnd, WM_VSCROLL, codeFor(drag.part), 0);
    SetTimer(hwnd, kRepeatTimer, kFirstDelay, nullptr);
  }
  bool alive = runTracking(drag);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!alive || !findWindow(hwnd, false)) return 0;
  KillTimer(hwnd, kRepeatTimer);
  if (drag.part == Thumb) {
    Window *again = findWindow(hwnd, false);
    int pos = again->vscroll->trackPos;
    SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(pos)), 0);
    if ((again = findWindow(hwnd, false)) && again->vscroll) again->vscroll->tracking = false;
  }
  if (findWindow(hwnd, false)) SendMessageA(hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
  setPressed(hwnd, NoPart);
  return 0;
}

}  // namespace win32
