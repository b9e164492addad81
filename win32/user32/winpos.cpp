// user32: window positions and sizes, showing and hiding.
#include "user32/winpos.h"

#include <algorithm>

#include "backend/driver.h"
#include "user32/input.h"
#include "user32/paint.h"

namespace win32 {

namespace {

void sendSize(Window &w, WPARAM kind) {
  RECT client = clientRectOf(w);
  LPARAM size = kind == SIZE_MINIMIZED ? 0 : MAKELPARAM(client.right, client.bottom);
  SendMessageA(w.handle, WM_SIZE, kind, size);
}

void sendMove(Window &w) {
  RECT in = nonClientInsets(w);
  SendMessageA(w.handle, WM_MOVE, 0, MAKELPARAM(w.rect.left + in.left, w.rect.top + in.top));
}

bool sameSize(const RECT &a, const RECT &b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

}  // namespace

void sendSizeAndMove(Window &w) {
  HWND hwnd = w.handle;
  sendSize(w, SIZE_RESTORED);
  if (Window *again = findWindow(hwnd, false)) sendMove(*again);
}

void setWindowRect(Window &w, const RECT &rect, bool repaint) {
  RECT old = w.rect;
  if (old.left == rect.left && old.top == rect.top && old.right == rect.right && old.bottom == rect.bottom) return;
  bool resized = !sameSize(old, rect);
  bool moved = old.left != rect.left || old.top != rect.top;
  HWND hwnd = w.handle;
  w.rect = rect;
  if (w.top) {
    if (resized) {
      w.top->surface.resize(rect.right - rect.left, rect.bottom - rect.top, 0xC0C0C0);
      invalidateWhole(w);
    }
    backend::driver().setBounds(w.top->native, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  } else if (repaint && w.visible()) {
    invalidateParentArea(w, old);
    invalidateWhole(w);
  }
  // As from WM_WINDOWPOSCHANGED: the move is reported before the size.
  if (moved) sendMove(w);
  if (resized && findWindow(hwnd, false)) sendSize(*findWindow(hwnd, false), SIZE_RESTORED);
}

void frameChanged(Window &w) {
  w.frameNeeded = true;
  invalidateClient(w, nullptr, true);
  sendSize(w, SIZE_RESTORED);
}

void nativeResized(Window &top, int width, int height) {
  if (!top.top || top.top->minimized) return;
  setWindowRect(top, RECT{top.rect.left, top.rect.top, top.rect.left + width, top.rect.top + height}, true);
}

void nativeMoved(Window &top, int x, int y) {
  int w = top.rect.right - top.rect.left, h = top.rect.bottom - top.rect.top;
  if (top.rect.left == x && top.rect.top == y) return;
  top.rect = {x, y, x + w, y + h};
  sendMove(top);
}

void nativeMinimized(Window &top, bool minimized) {
  if (!top.top || top.top->minimized == minimized) return;
  top.top->minimized = minimized;
  if (minimized) {
    sendSize(top, SIZE_MINIMIZED);
    return;
  }
  invalidateWhole(top);
  sendSize(top, SIZE_RESTORED);
}

}  // namespace win32

using namespace win32;

namespace {

BOOL hide(Window &w) {
  HWND hwnd = w.handle;
  SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
  Window *again = findWindow(hwnd, false);
  if (!again) return TRUE;
  again->style &= ~WS_VISIBLE;
  if (again->top) {
    backend::driver().show(again->top->native, false);
  } else {
    invalidateParentArea(*again, again->rect);
  }
  return TRUE;
}

void show(Window &w, int cmd) {
  HWND hwnd = w.handle;
  SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
  Window *again = findWindow(hwnd, false);
  if (!again) return;
  again->style |= WS_VISIBLE;
  invalidateWhole(*again);
  if (!again->top) return;
  bool first = !again->top->shownOnce;
  again->top->shownOnce = true;
  backend::driver().show(again->top->native, true);
  if (cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE) activateTopLevel(hwnd, false);
  // A top-level window hears its size and place for the first time when it is first shown.
  if (first && (again = findWindow(hwnd, false))) sendSizeAndMove(*again);
}

}  // namespace

extern "C" {

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = w->visible();
  switch (cmd) {
    case SW_HIDE:
      if (wasVisible) hide(*w);
      return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!wasVisible) show(*w, cmd);
      if ((w = findWindow(hwnd, false)) && w->top) {
        backend::driver().minimize(w->top->native);
        nativeMinimized(*w, true);
      }
      return wasVisible;
    case SW_RESTORE:
      if (!wasVisible) show(*w, cmd);
      if ((w = findWindow(hwnd, false)) && w->top && w->top->minimized) {
        backend::driver().show(w->top->native, true);
        nativeMinimized(*w, false);
      }
      return wasVisible;
    default:
      if (!wasVisible) show(*w, cmd);
      return wasVisible;
  }
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  setWindowRect(*w, RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)}, repaint);
  return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  RECT r = w->rect;
  if (!(flags & SWP_NOMOVE)) r = {x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
  if (!(flags & SWP_NOSIZE)) r = {r.left, r.top, r.left + std::max(cx, 0), r.top + std::max(cy, 0)};
  setWindowRect(*w, r, !(flags & SWP_NOREDRAW));
  if ((w = findWindow(hwnd, false)) && (flags & SWP_FRAMECHANGED)) frameChanged(*w);
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  if (hwnd == kDesktopWindow) {
    *rect = {0, 0, backend::driver().screenWidth(), backend::driver().screenHeight()};
    return TRUE;
  }
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  POINT o = screenOrigin(*w);
  *rect = {o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  if (!rect) return FALSE;
  if (hwnd == kDesktopWindow) return GetWindowRect(hwnd, rect);
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  *rect = clientRectOf(*w);
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT pt) {
  Window *w = findWindow(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = screenOrigin(*w);
  RECT in = nonClientInsets(*w);
  pt->x += o.x + in.left;
  pt->y += o.y + in.top;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT pt) {
  Window *w = findWindow(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = screenOrigin(*w);
  RECT in = nonClientInsets(*w);
  pt->x -= o.x + in.left;
  pt->y -= o.y + in.top;
  return TRUE;
}

// Hidden and disabled children count too; a point in the parent but in no child gives the parent.
HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt) {
  Window *w = findWindow(parent);
  if (!w || !rectContains(clientRectOf(*w), pt.x, pt.y)) return nullptr;
  for (HWND child : w->children)
    if (Window *c = findWindow(child, false); c && rectContains(c->rect, pt.x, pt.y)) return child;
  return parent;
}

HWND WINAPI WindowFromPoint(POINT pt) {
  for (HWND hwnd : topLevelWindows()) {
    Window *w = findWindow(hwnd, false);
    if (!w || !isVisibleOnScreen(*w) || !rectContains(w->rect, pt.x, pt.y)) continue;
    HWND found = hwnd;
    for (;;) {
      POINT local = pt;
      ScreenToClient(found, &local);
      Window *current = findWindow(found, false);
      HWND next = nullptr;
      for (HWND child : current->children)
        if (Window *c = findWindow(child, false); c && c->visible() && rectContains(c->rect, local.x, local.y)) {
          next = child;
          break;
        }
      if (!next) return found;
      found = next;
    }
  }
  return nullptr;
}

BOOL WINAPI IsIconic(HWND hwnd) {
  Window *w = findWindow(hwnd);
  return w && w->top && w->top->minimized;
}

HWND WINAPI GetDesktopWindow(void) { return kDesktopWindow; }

}  // extern "C"
