// user32: the handle table, the class registry and window geometry.
#include "user32/window.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "user32/menu_bar.h"

namespace win32 {

namespace {

struct Registry {
  std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
  std::vector<HWND> order;  // creation order, so enumeration is stable
  std::vector<std::unique_ptr<Window>> retired;
  uintptr_t nextHandle = 0x10010;
};

Registry &registry() {
  static Registry r;
  return r;
}

}  // namespace

Window *findWindow(HWND hwnd, bool report) {
  auto &windows = registry().windows;
  auto it = windows.find(reinterpret_cast<uintptr_t>(hwnd));
  if (it == windows.end()) {
    if (report) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return it->second.get();
}

HWND registerWindow(std::unique_ptr<Window> window) {
  Registry &r = registry();
  HWND hwnd = reinterpret_cast<HWND>(r.nextHandle);
  r.nextHandle += 2;
  window->handle = hwnd;
  r.order.push_back(hwnd);
  r.windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(window));
  return hwnd;
}

void retireWindow(HWND hwnd) {
  Registry &r = registry();
  auto it = r.windows.find(reinterpret_cast<uintptr_t>(hwnd));
  if (it == r.windows.end()) return;
  if (it->second->systemMenu) DestroyMenu(it->second->systemMenu);
  r.retired.push_back(std::move(it->second));
  r.windows.erase(it);
  r.order.erase(std::remove(r.order.begin(), r.order.end(), hwnd), r.order.end());
}

void collectRetiredWindows() { registry().retired.clear(); }

std::vector<HWND> allWindows() { return registry().order; }

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> result;
  for (HWND hwnd : registry().order)
    if (Window *w = findWindow(hwnd, false); w && !w->isChild()) result.push_back(hwnd);
  // The most recently created top-level window is on top.
  std::reverse(result.begin(), result.end());
  return result;
}

RECT nonClientInsets(const Window &w) {
  RECT in{0, 0, 0, 0};
  if (!w.isChild()) {
    // The desktop draws the caption and borders of top-level windows; only the menu bar is ours.
    if (w.menu) in.top = menuBarHeight(const_cast<Window &>(w));
    return in;
  }
  int border = 0;
  if (w.style & WS_BORDER) border += 1;
  if (w.exStyle & WS_EX_CLIENTEDGE) border += 2;
  if (w.exStyle & WS_EX_STATICEDGE) border += 1;
  in = {border, border, border, border};
  if (w.control) {
    RECT extra = w.control->nonClientExtra();
    in = {in.left + extra.left, in.top + extra.top, in.right + extra.right, in.bottom + extra.bottom};
  }
  if ((w.style & WS_VSCROLL) && w.vscroll && w.vscroll->shown) in.right += GetSystemMetrics(SM_CXVSCROLL);
  return in;
}

RECT clientRectOf(const Window &w) {
  RECT in = nonClientInsets(w);
  int width = (w.rect.right - w.rect.left) - in.left - in.right;
  int height = (w.rect.bottom - w.rect.top) - in.top - in.bottom;
  return {0, 0, std::max(width, 0), std::max(height, 0)};
}

POINT windowOrigin(const Window &w) {
  if (!w.isChild()) return {0, 0};
  Window *parent = findWindow(w.parent, false);
  POINT base = parent ? clientOrigin(*parent) : POINT{0, 0};
  return {base.x + w.rect.left, base.y + w.rect.top};
}

POINT clientOrigin(const Window &w) {
  POINT origin = windowOrigin(w);
  RECT in = nonClientInsets(w);
  return {origin.x + in.left, origin.y + in.top};
}

POINT screenOrigin(const Window &w) {
  const Window *top = &w;
  while (top->isChild()) {
    Window *parent = findWindow(top->parent, false);
    if (!parent) break;
    top = parent;
  }
  POINT origin = windowOrigin(w);
  return {top->rect.left + origin.x, top->rect.top + origin.y};
}

Window *topLevelOf(Window *w) {
  while (w && w->isChild()) w = findWindow(w->parent, false);
  return w;
}

bool isVisibleOnScreen(const Window &w) {
  const Window *current = &w;
  while (current) {
    if (!current->visible()) return false;
    if (!current->isChild()) return current->top && !current->top->minimized;
    current = findWindow(current->parent, false);
  }
  return false;
}

namespace {

RECT windowRectOnSurface(const Window &w) {
  POINT o = windowOrigin(w);
  return {o.x, o.y, o.x + (w.rect.right - w.rect.left), o.y + (w.rect.bottom - w.rect.top)};
}

// Removes from `region` the siblings above `w` in the z-order, when `w` clips its siblings.
void clipSiblings(const Window &w, Region &region) {
  if (!(w.style & WS_CLIPSIBLINGS) || !w.isChild()) return;
  Window *parent = findWindow(w.parent, false);
  if (!parent) return;
  for (HWND sibling : parent->children) {
    if (sibling == w.handle) break;
    Window *s = findWindow(sibling, false);
    if (s && s->visible()) region.subtract(windowRectOnSurface(*s));
  }
}

}  // namespace

Region visibleRegion(const Window &w, bool clientOnly) {
  if (!isVisibleOnScreen(w)) return Region();
  RECT own = windowRectOnSurface(w);
  if (clientOnly) {
    POINT c = clientOrigin(w);
    RECT client = clientRectOf(w);
    own = {c.x, c.y, c.x + client.right, c.y + client.bottom};
  }
  Region region(own);
  clipSiblings(w, region);
  for (const Window *child = &w; child->isChild();) {
    Window *parent = findWindow(child->parent, false);
    if (!parent) break;
    POINT c = clientOrigin(*parent);
    RECT client = clientRectOf(*parent);
    region.intersect(RECT{c.x, c.y, c.x + client.right, c.y + client.bottom});
    clipSiblings(*parent, region);
    child = parent;
  }
  if (w.style & WS_CLIPCHILDREN)
    for (HWND hchild : w.children)
      if (Window *c = findWindow(hchild, false); c && c->visible()) region.subtract(windowRectOnSurface(*c));
  return region;
}

}  // namespace win32
