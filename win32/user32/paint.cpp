// user32: update regions, painting messages, window device contexts and presenting surfaces.
#include "user32/paint.h"

#include "backend/driver.h"
#include "gdi32/dc.h"
#include "gdi32/paint.h"
#include "user32/menu_bar.h"
#include "user32/message.h"
#include "user32/scrollbar.h"

namespace win32 {


namespace {

HDC clientDC(Window &w, const Region *updateInClient) {
  Window *top = topLevelOf(&w);
  Surface *surface = top && top->top ? &top->top->surface : nullptr;
  Region clip = visibleRegion(w, true);
  if (updateInClient) {
    Region update = *updateInClient;
    POINT c = clientOrigin(w);
    update.offset(c.x, c.y);
    clip.intersect(update);
  }
  return createDeviceContext(surface, clientOrigin(w), clip, w.handle);
}

// Parent before children, each subtree whole before the next sibling (in z-order): the order Windows
// paints in. A window the paint handler leaves invalid is not sent WM_PAINT again here.
void updateNow(HWND hwnd, bool withChildren) {
  Window *w = findWindow(hwnd, false);
  if (!w || !isVisibleOnScreen(*w)) return;
  if (w->frameNeeded) paintFrame(*w);
  if (!w->update.empty()) SendMessageA(hwnd, WM_PAINT, 0, 0);
  if (!withChildren || !(w = findWindow(hwnd, false))) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children) updateNow(child, true);
}

void drawBorder(Window &w, HDC hdc) {
  DeviceContext *dc = deviceContext(hdc);
  RECT r{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
  auto frame = [&](COLORREF topLeft, COLORREF bottomRight) {
    paint::fill(*dc, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    paint::fill(*dc, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    paint::fill(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    paint::fill(*dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  };
  if (w.exStyle & WS_EX_CLIENTEDGE) {
    frame(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    frame(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  }
  if (w.exStyle & WS_EX_STATICEDGE) frame(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  if (w.style & WS_BORDER) frame(GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
}

}  // namespace

void paintFrame(Window &w) {
  w.frameNeeded = false;
  Window *top = topLevelOf(&w);
  if (!top || !top->top || !isVisibleOnScreen(w)) return;
  Region clip = visibleRegion(w, false);
  POINT c = clientOrigin(w);
  RECT client = clientRectOf(w);
  clip.subtract(rectOffset(client, c.x, c.y));
  if (clip.empty()) return;
  HDC hdc = createDeviceContext(&top->top->surface, windowOrigin(w), clip, w.handle);
  if (w.isChild()) {
    drawBorder(w, hdc);
    if (w.control) w.control->paintNonClient(w, hdc);
    if (w.style & WS_VSCROLL) paintScrollBar(w, hdc);
  } else if (w.menu) {
    paintMenuBar(w, hdc);
  }
  destroyDeviceContext(hdc);
}

void invalidateClient(Window &w, const RECT *rect, bool erase) {
  RECT client = clientRectOf(w);
  RECT area = rect ? rectIntersection(*rect, client) : client;
  if (rectEmpty(area)) return;
  w.update.unite(area);
  if (erase) w.eraseNeeded = true;
  if (w.style & WS_CLIPCHILDREN) return;
  for (HWND hchild : w.children) {
    Window *child = findWindow(hchild, false);
    if (!child || !child->visible()) continue;
    RECT overlap = rectIntersection(area, child->rect);
    if (rectEmpty(overlap)) continue;
    RECT in = nonClientInsets(*child);
    RECT local = rectOffset(overlap, -child->rect.left - in.left, -child->rect.top - in.top);
    if (!rectEmpty(rectIntersection(overlap, child->rect))) child->frameNeeded = true;
    invalidateClient(*child, &local, erase);
  }
}

void invalidateWhole(Window &w) {
  w.frameNeeded = true;
  w.update = Region(clientRectOf(w));
  w.eraseNeeded = true;
  for (HWND hchild : w.children)
    if (Window *child = findWindow(hchild, false)) invalidateWhole(*child);
}

void invalidateParentArea(Window &child, const RECT &rect) {
  Window *parent = findWindow(child.parent, false);
  if (!parent) return;
  invalidateClient(*parent, &rect, true);
  // Siblings under the vacated area show through again.
  for (HWND hsibling : parent->children) {
    Window *sibling = findWindow(hsibling, false);
    if (!sibling || sibling == &child || !sibling->visible()) continue;
    RECT overlap = rectIntersection(rect, sibling->rect);
    if (rectEmpty(overlap)) continue;
    sibling->frameNeeded = true;
    RECT in = nonClientInsets(*sibling);
    RECT local = rectOffset(overlap, -sibling->rect.left - in.left, -sibling->rect.top - in.top);
    invalidateClient(*sibling, &local, true);
  }
}

bool takePaintMessage(HWND filter, UINT min, UINT max, MSG &out) {
  if (!(min == 0 && max == 0) && (WM_PAINT < min || WM_PAINT > max)) return false;
  for (HWND hwnd : allWindows()) {
    if (filter && hwnd != filter) continue;
    Window *w = findWindow(hwnd, false);
    if (!w || !isVisibleOnScreen(*w)) continue;
    if (w->update.empty()) {
      if (w->frameNeeded) paintFrame(*w);
      continue;
    }
    out = MSG{hwnd, WM_PAINT, 0, 0, 0, {}};
    return true;
  }
  return false;
}

void presentSurfaces() {
  for (HWND hwnd : topLevelWindows()) {
    Window *w = findWindow(hwnd, false);
    if (!w || !w->top || !w->top->native || !w->top->surface.hasDirty()) continue;
    Surface &s = w->top->surface;
    s.make();
    if (w->visible() && !w->top->minimized)
      backend::driver().present(w->top->native, s.pixels.data(), s.width, s.height, s.width, s.dirty.left,
                                s.dirty.top, s.dirty.right, s.dirty.bottom);
    s.dirty = {0, 0, 0, 0};
  }
}

}  // namespace win32

using namespace win32;

extern "C" {

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *rect, BOOL erase) {
  if (!hwnd) {
    for (HWND top : topLevelWindows())
      if (Window *w = findWindow(top, false)) invalidateClient(*w, nullptr, erase);
    return TRUE;
  }
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  invalidateClient(*w, rect, erase);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT *rect) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  if (rect) {
    w->update.subtract(*rect);
  } else {
    w->update.clear();
  }
  if (w->update.empty()) w->eraseNeeded = false;
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  RECT bounds = w->update.bounds();
  if (rect) *rect = bounds;
  if (erase && w->eraseNeeded && !w->update.empty()) {
    w->eraseNeeded = false;
    HDC hdc = clientDC(*w, &w->update);
    SendMessageA(hwnd, WM_ERASEBKGND, WPARAM(hdc), 0);
    if (findWindow(hwnd, false)) destroyDeviceContext(hdc);
  }
  return !rectEmpty(bounds);
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  if (!findWindow(hwnd)) return FALSE;
  updateNow(hwnd, true);
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT *rect, HRGN, UINT flags) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  if (flags & RDW_FRAME) w->frameNeeded = true;
  if (flags & RDW_INVALIDATE) invalidateClient(*w, rect, (flags & RDW_ERASE) != 0);
  if (flags & RDW_UPDATENOW) updateNow(hwnd, (flags & RDW_ALLCHILDREN) != 0);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  Window *w = findWindow(hwnd);
  if (!w || !ps) return nullptr;
  if (w->frameNeeded) paintFrame(*w);
  Region update = std::move(w->update);
  w->update.clear();
  bool erase = w->eraseNeeded;
  w->eraseNeeded = false;
  HDC hdc = clientDC(*w, &update);
  *ps = PAINTSTRUCT{};
  ps->hdc = hdc;
  ps->rcPaint = rectIntersection(update.bounds(), clientRectOf(*w));
  ps->fErase = TRUE;
  if (erase) ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, WPARAM(hdc), 0) == 0;
  return hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT *ps) {
  if (ps) destroyDeviceContext(ps->hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
  if (!hwnd) return createDeviceContext(nullptr, POINT{0, 0}, Region(), nullptr);
  Window *w = findWindow(hwnd);
  return w ? clientDC(*w, nullptr) : nullptr;
}

int WINAPI ReleaseDC(HWND, HDC hdc) {
  if (!deviceContext(hdc)) return 0;
  destroyDeviceContext(hdc);
  return 1;
}

}  // extern "C"
