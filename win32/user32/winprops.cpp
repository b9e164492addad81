// user32: window text, styles, relations and other properties.
#include <algorithm>
#include <cstring>

#include "backend/driver.h"
#include "user32/paint.h"
#include "user32/window.h"
#include "user32/winpos.h"

using namespace win32;

namespace {

// Extra window bytes hold pointer-sized values; an index outside them fails as on Windows.
bool extraSlot(Window &w, int index, size_t size, uint8_t *&slot) {
  if (index < 0 || size_t(index) + size > w.extra.size()) {
    SetLastError(1413);  // ERROR_INVALID_INDEX
    return false;
  }
  slot = w.extra.data() + index;
  return true;
}

LONG_PTR getLong(HWND hwnd, int index, size_t size) {
  Window *w = findWindow(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE: return LONG(w->style);
    case GWL_EXSTYLE: return LONG(w->exStyle);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent : w->owner);
    case GWLP_ID: return LONG_PTR(w->id);
    case GWLP_USERDATA: return w->userData;
    default: break;
  }
  uint8_t *slot;
  if (!extraSlot(*w, index, size, slot)) return 0;
  LONG_PTR value = 0;
  std::memcpy(&value, slot, size);
  return size == sizeof(LONG) ? LONG_PTR(LONG(value)) : value;
}

LONG_PTR setLong(HWND hwnd, int index, LONG_PTR value, size_t size) {
  Window *w = findWindow(hwnd);
  if (!w) return 0;
  LONG_PTR old = getLong(hwnd, index, size);
  switch (index) {
    case GWL_STYLE: {
      w->style = DWORD(value);
      return old;
    }
    case GWL_EXSTYLE: w->exStyle = DWORD(value); return old;
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_ID: w->id = UINT_PTR(value); return old;
    case GWLP_USERDATA: w->userData = value; return old;
    default: break;
  }
  uint8_t *slot;
  if (!extraSlot(*w, index, size, slot)) return 0;
  std::memcpy(slot, &value, size);
  return old;
}

}  // namespace

extern "C" {

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!findWindow(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, LPARAM(text)) != 0;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  if (!findWindow(hwnd)) return 0;
  return int(SendMessageA(hwnd, WM_GETTEXT, WPARAM(size), LPARAM(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  if (!findWindow(hwnd)) return 0;
  return int(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) { return LONG(getLong(hwnd, index, sizeof(LONG))); }
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) { return LONG(setLong(hwnd, index, value, sizeof(LONG))); }
LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) { return getLong(hwnd, index, sizeof(LONG_PTR)); }
LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return setLong(hwnd, index, value, sizeof(LONG_PTR));
}

BOOL WINAPI IsWindow(HWND hwnd) { return findWindow(hwnd, false) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  for (Window *w = findWindow(hwnd, false); w; w = w->isChild() ? findWindow(w->parent, false) : nullptr)
    if (!w->visible()) return FALSE;
  return findWindow(hwnd, false) != nullptr;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  return w && w->enabled();
}

// Returns whether the window was disabled before the call.
BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = !w->enabled();
  if (bool(enable) == !wasDisabled) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    if (GetFocus() == hwnd) SetFocus(nullptr);
  }
  SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

HWND WINAPI GetParent(HWND hwnd) {
  Window *w = findWindow(hwnd);
  if (!w) return nullptr;
  return w->isChild() ? w->parent : w->owner;
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  for (Window *w = findWindow(hwnd, false); w && w->isChild(); w = findWindow(w->parent, false))
    if (w->parent == parent) return TRUE;
  return FALSE;
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
  Window *w = findWindow(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (cmd == GW_OWNER) return w->isChild() ? nullptr : w->owner;
  std::vector<HWND> siblings;
  if (Window *parent = findWindow(w->parent, false); w->isChild() && parent) {
    siblings = parent->children;
  } else {
    siblings = topLevelWindows();
  }
  auto it = std::find(siblings.begin(), siblings.end(), hwnd);
  switch (cmd) {
    case GW_HWNDFIRST: return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST: return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT: return it == siblings.end() || it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == siblings.begin() || it == siblings.end() ? nullptr : *(it - 1);
    default: return nullptr;
  }
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  Window *w = findWindow(hwnd);
  return w && w->isChild() ? int(w->id) : 0;
}

BOOL WINAPI SetWindowContextHelpId(HWND hwnd, DWORD id) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  w->helpContext = id;
  return TRUE;
}

DWORD WINAPI GetWindowContextHelpId(HWND hwnd) {
  Window *w = findWindow(hwnd);
  return w ? w->helpContext : 0;
}

HMENU WINAPI GetMenu(HWND hwnd) {
  Window *w = findWindow(hwnd);
  return w && !w->isChild() ? w->menu : nullptr;
}

BOOL WINAPI SetMenu(HWND hwnd, HMENU menu) {
  Window *w = findWindow(hwnd);
  if (!w || w->isChild()) return FALSE;
  w->menu = menu;
  frameChanged(*w);
  return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hwnd) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  paintFrame(*w);
  return TRUE;
}

}  // extern "C"
