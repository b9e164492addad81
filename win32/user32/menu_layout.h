// user32: where menu items go — the menu bar's rows and a drop-down menu's items.
#ifndef OXBYTE_WIN32_USER32_MENU_LAYOUT_H
#define OXBYTE_WIN32_USER32_MENU_LAYOUT_H

#include <windows.h>

#include <string_view>
#include <vector>

#include "user32/menu.h"

namespace win32 {

// Pixels around a drop-down menu's items: a two-pixel raised edge and one pixel of space.
inline constexpr int kPopupBorder = 3;
inline constexpr int kSeparatorHeight = 9;
// Space left of an item's text (where a check mark would go) and right of its shortcut.
inline constexpr int kPopupTextIndent = 20;
// Between the widest label and the shortcut column Windows keeps one average character of the menu font.
inline constexpr int kShortcutGap = 8;
// Space on each side of a bar item's text.
inline constexpr int kBarItemPadding = 8;

// Width of a label as drawn: "&&" shows one '&' and a single '&' shows nothing.
int labelWidth(std::string_view label);

struct BarLayout {
  std::vector<RECT> items;  // window coordinates: the bar starts at the window's top-left corner
  int height = 0;           // whole rows of SM_CYMENU
};
// Items go left to right and wrap to a new row when the next one would cross the window's width.
BarLayout layoutMenuBar(const Menu &bar, int width);

struct PopupLayout {
  int width = 0, height = 0;
  std::vector<RECT> items;  // the pop-up window's coordinates
  // From an item's left edge: where every shortcut (the text after '\t') starts, left-aligned in one
  // column past the widest label, as Windows lines them up.
  int shortcutLeft = 0;
};
PopupLayout layoutPopup(const Menu &menu);

// The item whose rectangle holds `point`, or -1.
int itemAt(const std::vector<RECT> &items, POINT point);

}  // namespace win32

#endif
