// comctl32: the toolbar under the mouse — hot buttons, pressing, clicking, and the tooltip's cues.
#include "comctl32/toolbar.h"
#include "comctl32/tooltip.h"
#include <windowsx.h>

namespace win32 {
namespace {

POINT pointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool clickable(const ToolbarState &s, int index) {
  return index >= 0 && !s.buttons[index].separator() && s.buttons[index].enabled();
}

void setHot(ToolbarState &s, int index) {
  if (index == s.hot) return;
  invalidateItem(s, s.hot);
  s.hot = index;
  invalidateItem(s, s.hot);
}

void setPressedLook(ToolbarState &s, int index, bool pressed) {
  ToolbarButton &b = s.buttons[index];
  BYTE state = BYTE(pressed ? b.state | TBSTATE_PRESSED : b.state & ~TBSTATE_PRESSED);
  if (state == b.state) return;
  b.state = state;
  invalidateItem(s, index);
}

// Every button, greyed ones too, has its tip; separators have none.
void showTipFor(const ToolbarState &s, int index) {
  if (!s.tooltip) return;
  if (index < 0 || s.buttons[index].separator()) {
    tooltip::pointerOver(s.tooltip, std::nullopt);
  } else {
    tooltip::pointerOver(s.tooltip, UINT_PTR(s.buttons[index].command));
  }
}

// While the left button holds a button, the button looks pressed only with the pointer over it.
void moved(ToolbarState &s, POINT pt) {
  if (!s.trackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, s.self, 0};
    s.trackingLeave = TrackMouseEvent(&track);
  }
  int index = itemAt(s, pt);
  if (s.pressed >= 0) {
    setPressedLook(s, s.pressed, index == s.pressed);
    return;
  }
  setHot(s, clickable(s, index) ? index : -1);
  showTipFor(s, index);
}

void pressed(ToolbarState &s, POINT pt) {
  if (s.tooltip) tooltip::buttonPressed(s.tooltip);
  int index = itemAt(s, pt);
  setHot(s, clickable(s, index) ? index : -1);
  if (!clickable(s, index)) return;
  s.pressed = index;
  setPressedLook(s, index, true);
  SetCapture(s.self);
}

// The command goes to the parent only when the button is let go over the button it went down on, and
// that button is still enabled. It is sent last: the parent may do anything with the toolbar.
void released(ToolbarState &s, POINT pt) {
  if (s.pressed < 0) return;
  int index = s.pressed;
  s.pressed = -1;
  setPressedLook(s, index, false);
  bool over = itemAt(s, pt) == index;
  setHot(s, over ? index : -1);
  const ToolbarButton &b = s.buttons[index];
  bool fire = over && b.enabled();
  WPARAM command = MAKEWPARAM(b.command, BN_CLICKED);
  HWND self = s.self, notify = s.notify;
  if (GetCapture() == self) ReleaseCapture();
  if (fire) SendMessageA(notify, WM_COMMAND, command, LPARAM(self));
}

void captureLost(ToolbarState &s, HWND newCapture) {
  if (s.pressed < 0 || newCapture == s.self) return;
  int index = s.pressed;
  s.pressed = -1;
  setPressedLook(s, index, false);
}

void left(ToolbarState &s) {
  s.trackingLeave = false;
  if (s.pressed < 0) setHot(s, -1);
  if (s.tooltip) tooltip::pointerLeft(s.tooltip);
}

}  // namespace

LRESULT toolbarMouseMessage(ToolbarState &s, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: moved(s, pointOf(lParam)); break;
    case WM_LBUTTONDOWN: pressed(s, pointOf(lParam)); break;
    case WM_LBUTTONUP: released(s, pointOf(lParam)); break;
    case WM_MOUSELEAVE: left(s); break;
    case WM_CAPTURECHANGED: captureLost(s, reinterpret_cast<HWND>(lParam)); break;
    default: break;
  }
  return 0;
}

}  // namespace win32
