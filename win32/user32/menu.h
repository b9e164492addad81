// user32: menu objects behind HMENU handles — items, states and the lookups every menu call shares.
#ifndef OXBYTE_WIN32_USER32_MENU_H
#define OXBYTE_WIN32_USER32_MENU_H

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "user32/menu_template.h"

namespace win32 {

struct MenuItem {
  UINT flags = 0;  // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED, ...
  UINT id = 0;     // command items; separators have 0
  std::string text;
  HMENU submenu = nullptr;

  bool isPopup() const { return (flags & MF_POPUP) != 0; }
  bool isSeparator() const { return (flags & MF_SEPARATOR) != 0; }
  bool isEnabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) == 0; }
  bool isGrayed() const { return (flags & MF_GRAYED) != 0; }
  // What the item shows before a tab, and the shortcut text after it ("Find\tCtrl+F").
  std::string_view label() const;
  std::string_view shortcut() const;
};

struct Menu {
  HMENU handle = nullptr;
  std::vector<MenuItem> items;
};

// The menu behind a handle, or null (with ERROR_INVALID_MENU_HANDLE when `report`).
Menu *findMenu(HMENU menu, bool report = true);
HMENU newMenu();
// A menu tree from a parsed template; its pop-ups become menus of their own.
HMENU menuFromTemplate(const std::vector<MenuItemTemplate> &items);
// Adds an item as AppendMenuA does; separators are stored greyed and disabled, as Windows stores them.
void appendItem(Menu &menu, UINT flags, UINT id, std::string text, HMENU submenu);

struct ItemRef {
  Menu *menu = nullptr;
  int index = -1;
  MenuItem *item() const { return menu ? &menu->items[size_t(index)] : nullptr; }
};
// An item by position, or by command searching pop-ups depth first as Windows does; empty when missing.
ItemRef findItem(Menu &menu, UINT idOrPosition, UINT flags);
// Where `submenu` hangs in `bar`: its position there, or -1.
int positionOfSubmenu(const Menu &bar, HMENU submenu);

// The lower-case ASCII letter after the first single '&' of a label, or 0.
char accessKey(std::string_view label);

}  // namespace win32

#endif
