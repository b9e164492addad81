// user32: the menu bar — the top of a top-level window's non-client area.
#include "user32/menu_bar.h"

#include "user32/menu.h"
#include "user32/menu_draw.h"
#include "user32/menu_layout.h"
#include "user32/menu_popup.h"
#include "user32/paint.h"

namespace win32 {
namespace {

// The one bar item a running menu loop shows selected.
struct Highlight {
  HWND window = nullptr;
  int item = -1;
  bool open = false;
};

Highlight &highlight() {
  static Highlight h;
  return h;
}

int windowWidth(const Window &w) { return w.rect.right - w.rect.left; }

}  // namespace

int menuBarHeight(Window &w) {
  Menu *menu = findMenu(w.menu, false);
  return menu ? layoutMenuBar(*menu, windowWidth(w)).height : 0;
}

void paintMenuBar(Window &w, HDC hdc) {
  Menu *menu = findMenu(w.menu, false);
  if (!menu) return;
  BarLayout layout = layoutMenuBar(*menu, windowWidth(w));
  RECT bar{0, 0, windowWidth(w), layout.height};
  FillRect(hdc, &bar, GetSysColorBrush(COLOR_MENU));
  const Highlight &h = highlight();
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem &item = menu->items[i];
    RECT r = layout.items[i];
    bool selected = h.window == w.handle && h.item == int(i);
    if (selected) DrawEdge(hdc, &r, h.open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    // A pushed-in item's text moves with it, one pixel right and down.
    if (selected && h.open) r = RECT{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    drawMenuText(hdc, r, item.label(), DT_CENTER | DT_VCENTER | DT_SINGLELINE, !item.isEnabled(), false);
  }
}

int menuBarItemAt(Window &w, POINT screen) {
  Menu *menu = findMenu(w.menu, false);
  if (!menu || w.isChild()) return -1;
  POINT local{screen.x - w.rect.left, screen.y - w.rect.top};
  return itemAt(layoutMenuBar(*menu, windowWidth(w)).items, local);
}

bool menuBarItemRect(Window &w, int item, RECT &screen) {
  Menu *menu = findMenu(w.menu, false);
  if (!menu || w.isChild() || item < 0 || size_t(item) >= menu->items.size()) return false;
  RECT r = layoutMenuBar(*menu, windowWidth(w)).items[size_t(item)];
  screen = RECT{r.left + w.rect.left, r.top + w.rect.top, r.right + w.rect.left, r.bottom + w.rect.top};
  return true;
}

void highlightMenuBarItem(Window &w, int item, bool open) {
  Highlight &h = highlight();
  HWND previous = h.window;
  h = item >= 0 ? Highlight{w.handle, item, open} : Highlight{};
  if (previous && previous != w.handle)
    if (Window *old = findWindow(previous, false)) paintFrame(*old);
  paintFrame(w);
}

}  // namespace win32

using namespace win32;

extern "C" {

// A bar item of the window's menu, or an item of a drop-down that is showing, in screen coordinates.
BOOL WINAPI GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, LPRECT rect) {
  if (!rect || !findMenu(menu)) return FALSE;
  Window *w = hwnd ? findWindow(hwnd) : nullptr;
  if (w && w->menu == menu) return menuBarItemRect(*w, int(item), *rect);
  return popupMenuItemRect(menu, int(item), *rect);
}

}  // extern "C"
