// user32: drop-down menus — windows of class "#32768" that show one menu's items.
#include "user32/menu_popup.h"

#include <algorithm>
#include <cstring>

#include "backend/driver.h"
#include "user32/menu.h"
#include "user32/menu_draw.h"
#include "user32/menu_layout.h"
#include "user32/window.h"

namespace win32 {
namespace {

constexpr const char *kClassName = "#32768";

struct PopupMenuState : ControlState {
  HMENU menu = nullptr;
  int selected = -1;
};

PopupMenuState *stateOf(Window *w) {
  return w && w->cls && w->cls->name == kClassName ? static_cast<PopupMenuState *>(w->control.get()) : nullptr;
}

void paintItem(HDC hdc, const MenuItem &item, const RECT &r, int shortcutLeft, bool selected) {
  if (item.isSeparator()) {
    RECT line{r.left + 1, r.top + kSeparatorHeight / 2, r.right - 1, r.bottom};
    DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  if (selected) FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
  RECT text{r.left + kPopupTextIndent, r.top, r.right - kPopupTextIndent, r.bottom};
  drawMenuText(hdc, text, item.label(), format, !item.isEnabled(), selected, item.flags & MF_DEFAULT);
  text.left = r.left + shortcutLeft;
  if (!item.shortcut().empty()) drawMenuText(hdc, text, item.shortcut(), format, !item.isEnabled(), selected);
}

void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  PopupMenuState *state = stateOf(findWindow(hwnd, false));
  Menu *menu = state ? findMenu(state->menu, false) : nullptr;
  RECT all;
  GetClientRect(hwnd, &all);
  FillRect(hdc, &all, GetSysColorBrush(COLOR_MENU));
  DrawEdge(hdc, &all, EDGE_RAISED, BF_RECT);
  if (menu) {
    PopupLayout layout = layoutPopup(*menu);
    for (size_t i = 0; i < menu->items.size(); ++i)
      paintItem(hdc, menu->items[i], layout.items[i], layout.shortcutLeft, state->selected == int(i));
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK popupMenuProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case MN_GETHMENU: {
      PopupMenuState *state = stateOf(findWindow(hwnd, false));
      return LRESULT(state ? state->menu : nullptr);
    }
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// The drop-down's rectangle and its items, in screen coordinates.
bool layoutOnScreen(HWND popup, PopupLayout &layout, POINT &origin) {
  Window *w = findWindow(popup, false);
  PopupMenuState *state = stateOf(w);
  Menu *menu = state ? findMenu(state->menu, false) : nullptr;
  if (!menu) return false;
  layout = layoutPopup(*menu);
  origin = {w->rect.left, w->rect.top};
  return true;
}

}  // namespace

void registerPopupMenuClass() {
  WNDCLASSA wc{};
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = popupMenuProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  wc.lpszClassName = kClassName;
  registerSystemClass(wc);
}

HWND showPopupMenu(HWND owner, HMENU hmenu, POINT at) {
  Menu *menu = findMenu(hmenu, false);
  if (!menu) return nullptr;
  PopupLayout layout = layoutPopup(*menu);
  at.x = std::max(0, std::min<int>(at.x, backend::driver().screenWidth() - layout.width));
  at.y = std::max(0, std::min<int>(at.y, backend::driver().screenHeight() - layout.height));
  HWND popup = CreateWindowExA(0, kClassName, "", WS_POPUP, at.x, at.y, layout.width, layout.height, owner,
                               nullptr, nullptr, nullptr);
  Window *w = findWindow(popup, false);
  if (!w) return nullptr;
  auto state = std::make_unique<PopupMenuState>();
  state->menu = hmenu;
  w->control = std::move(state);
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  UpdateWindow(popup);
  return popup;
}

void selectPopupMenuItem(HWND popup, int item) {
  PopupLayout layout;
  POINT origin;
  PopupMenuState *state = stateOf(findWindow(popup, false));
  if (!state || !layoutOnScreen(popup, layout, origin) || state->selected == item) return;
  for (int index : {state->selected, item})
    if (index >= 0 && size_t(index) < layout.items.size()) InvalidateRect(popup, &layout.items[size_t(index)], FALSE);
  state->selected = item;
}

bool popupMenuContains(HWND popup, POINT screen) {
  Window *w = findWindow(popup, false);
  return w && screen.x >= w->rect.left && screen.x < w->rect.right && screen.y >= w->rect.top &&
         screen.y < w->rect.bottom;
}

int popupMenuItemAt(HWND popup, POINT screen) {
  PopupLayout layout;
  POINT origin;
  if (!layoutOnScreen(popup, layout, origin)) return -1;
  return itemAt(layout.items, POINT{screen.x - origin.x, screen.y - origin.y});
}

bool popupMenuItemRect(HMENU menu, int item, RECT &screen) {
  for (HWND hwnd : topLevelWindows()) {
    PopupMenuState *state = stateOf(findWindow(hwnd, false));
    PopupLayout layout;
    POINT origin;
    if (!state || state->menu != menu || !layoutOnScreen(hwnd, layout, origin)) continue;
    if (item < 0 || size_t(item) >= layout.items.size()) return false;
    RECT r = layout.items[size_t(item)];
    screen = RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    return true;
  }
  return false;
}

}  // namespace win32
