// user32: creating and destroying windows, with Windows' message sequence.
#include <algorithm>

#include "backend/driver.h"
#include "gdi32/dc.h"
#include "user32/hook.h"
#include "user32/input.h"
#include "user32/paint.h"
#include "user32/timer.h"
#include "user32/window.h"
#include "user32/winpos.h"

namespace win32 {
namespace {

// The default place of an overlapped window: the next step of a cascade the desktop keeps for every
// program, each window a caption button and a sizing border down and right of the last, back to the
// screen's corner when a step would go past a quarter of it (ReactOS's account of Windows; Wine opens every
// such window at the corner instead).
POINT cascadePlace() {
  int stepX = GetSystemMetrics(SM_CXSIZE) + GetSystemMetrics(SM_CXFRAME);
  int stepY = GetSystemMetrics(SM_CYSIZE) + GetSystemMetrics(SM_CYFRAME);
  int steps = 1 + std::min(backend::driver().screenWidth() / 4 / stepX, backend::driver().screenHeight() / 4 / stepY);
  int step = int(backend::driver().takeDefaultPlace() % unsigned(steps));
  return {step * stepX, step * stepY};
}

// An overlapped window's default size is three quarters of the screen; a pop-up asking for the default
// place or size gets zeros, as Windows gives it.
RECT defaultPlacement(DWORD style, int x, int y, int width, int height) {
  bool popup = style & WS_POPUP;
  if (x == CW_USEDEFAULT) {
    POINT at = popup ? POINT{0, 0} : cascadePlace();
    x = at.x;
    y = at.y;
  }
  if (width == CW_USEDEFAULT) {
    width = popup ? 0 : backend::driver().screenWidth() * 3 / 4;
    height = popup ? 0 : backend::driver().screenHeight() * 3 / 4;
  }
  return {x, y, x + width, y + height};
}

std::unique_ptr<Window> newWindow(WindowClass *cls, DWORD exStyle, DWORD style, const char *name) {
  auto w = std::make_unique<Window>();
  w->cls = cls;
  w->proc = cls->proc;
  w->style = style;
  w->exStyle = exStyle;
  w->text = name && !IS_INTRESOURCE(name) ? name : "";
  w->extra.assign(size_t(cls->windowExtra), 0);
  if (style & WS_VSCROLL) w->vscroll = std::make_unique<ScrollBarState>();
  return w;
}

// What the desktop may offer for the window: the boxes and the sizing border its styles give it.
uint32_t desktopActions(DWORD style) {
  uint32_t actions = 0;
  if (style & WS_THICKFRAME) actions |= backend::ActionResize;
  if (style & WS_SYSMENU) {
    actions |= backend::ActionClose;
    if (style & WS_MINIMIZEBOX) actions |= backend::ActionMinimize;
    if (style & WS_MAXIMIZEBOX) actions |= backend::ActionMaximize;
  }
  return actions;
}

void makeTopLevel(Window &w, HWND owner) {
  Window *ownerWindow = findWindow(owner, false);
  w.owner = ownerWindow ? topLevelOf(ownerWindow)->handle : nullptr;
  w.top = std::make_unique<TopLevel>();
  int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
  // A pop-up without a caption (a drop-down menu, a tooltip) has no decoration on the desktop; a window with
  // an owner belongs to it there too.
  auto kind = (w.style & WS_POPUP) && (w.style & WS_CAPTION) != WS_CAPTION ? backend::WindowKind::Popup
              : w.owner                                                    ? backend::WindowKind::Dialog
                                                                           : backend::WindowKind::Main;
  w.top->native =
      backend::driver().createWindow(w.text, w.rect.left, w.rect.top, width, height, kind, desktopActions(w.style));
  if (Window *o = findWindow(w.owner, false); o && o->top && kind == backend::WindowKind::Dialog)
    backend::driver().setOwner(w.top->native, o->top->native);
  w.top->surface.resize(width, height, 0xC0C0C0);
  if (HICON icon = w.cls->icon) setNativeIcon(w, icon);
}

// WM_PARENTNOTIFY tells the parent that a child came or goes, unless the child asked not to.
void notifyParent(HWND hwnd, UINT event) {
  Window *w = findWindow(hwnd, false);
  if (!w || !w->isChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  SendMessageA(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(event, WORD(w->id)), LPARAM(hwnd));
}

// Windows sends WM_DESTROY to a window before its children, and WM_NCDESTROY after them.
void destroyTree(HWND hwnd) {
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  Window *w = findWindow(hwnd, false);
  if (!w) return;
  std::vector<HWND> children = w->children;
  for (HWND child : children)
    if (Window *c = findWindow(child, false); c && !c->destroying) {
      c->destroying = true;
      windowGoingAway(child);
      destroyTree(child);
    }
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  if (!(w = findWindow(hwnd, false))) return;
  killTimersOf(hwnd);
  detachDeviceContexts(hwnd);
  if (Window *parent = findWindow(w->parent, false)) std::erase(parent->children, hwnd);
  if (w->top) backend::driver().destroyWindow(w->top->native);
  --w->cls->windows;
  retireWindow(hwnd);
}

}  // namespace
}  // namespace win32

using namespace win32;

extern "C" {

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  WindowClass *cls = findClass(className);
  if (!cls) {
    SetLastError(1407);  // ERROR_CANNOT_FIND_WND_CLASS
    return nullptr;
  }
  Window *parentWindow = parent ? findWindow(parent) : nullptr;
  if (parent && !parentWindow) return nullptr;
  if ((style & WS_CHILD) && !parentWindow) {
    SetLastError(1406);  // ERROR_TLW_WITH_WSCHILD
    return nullptr;
  }
  auto owned = newWindow(cls, exStyle, style & ~WS_VISIBLE, windowName);
  owned->instance = instance;
  if (style & WS_CHILD) {
    owned->parent = parent;
    owned->id = reinterpret_cast<UINT_PTR>(menu);
    owned->rect = {x == CW_USEDEFAULT ? 0 : x, y == CW_USEDEFAULT ? 0 : y, 0, 0};
    owned->rect.right = owned->rect.left + (width == CW_USEDEFAULT ? 0 : std::max(width, 0));
    owned->rect.bottom = owned->rect.top + (height == CW_USEDEFAULT ? 0 : std::max(height, 0));
  } else {
    owned->rect = defaultPlacement(style, x, y, width, height);
    owned->menu = menu ? menu : (cls->menuName.empty() ? nullptr : LoadMenuA(cls->instance, cls->menuName.c_str()));
  }
  Window &w = *owned;
  ++cls->windows;
  HWND hwnd = registerWindow(std::move(owned));
  CREATESTRUCTA cs{param, instance, menu, parent, w.rect.bottom - w.rect.top, w.rect.right - w.rect.left,
                   w.rect.top, w.rect.left, LONG(style), windowName, className, exStyle};
  CBT_CREATEWNDA cbt{&cs, nullptr};
  if (callCbtHook(HCBT_CREATEWND, WPARAM(hwnd), LPARAM(&cbt))) {
    --cls->windows;
    retireWindow(hwnd);
    return nullptr;
  }
  if (style & WS_CHILD) {
    parentWindow->children.push_back(hwnd);
  } else {
    makeTopLevel(w, parent);
  }
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, LPARAM(&cs)) || SendMessageA(hwnd, WM_CREATE, 0, LPARAM(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  // A child learns its size and place at once; a top-level window when it is first shown.
  if (Window *created = findWindow(hwnd, false); created && created->isChild()) {
    sendSizeAndMove(*created);
    notifyParent(hwnd, WM_CREATE);
  }
  if (!findWindow(hwnd, false)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return findWindow(hwnd, false) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  if (w->destroying) return TRUE;
  if (callCbtHook(HCBT_DESTROYWND, WPARAM(hwnd), 0)) return FALSE;
  w->destroying = true;
  // Windows destroys the windows a top-level window owns before the window itself.
  if (!w->isChild())
    for (HWND other : topLevelWindows())
      if (Window *o = findWindow(other, false); o && o->owner == hwnd) DestroyWindow(other);
  if (!(w = findWindow(hwnd, false))) return TRUE;
  if (w->visible()) {
    if (w->top) {
      backend::driver().show(w->top->native, false);
    } else {
      invalidateParentArea(*w, w->rect);
    }
  }
  notifyParent(hwnd, WM_DESTROY);
  windowGoingAway(hwnd);
  destroyTree(hwnd);
  return TRUE;
}

}  // extern "C"
