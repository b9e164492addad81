// user32: the menu bar — the top of a top-level window's non-client area.
#ifndef OXBYTE_WIN32_USER32_MENU_BAR_H
#define OXBYTE_WIN32_USER32_MENU_BAR_H

#include "user32/window.h"

namespace win32 {

// Rows of SM_CYMENU pixels; 0 for a window without a (valid) menu.
int menuBarHeight(Window &w);
void paintMenuBar(Window &w, HDC hdc);
// The bar item under a screen point, or -1.
int menuBarItemAt(Window &w, POINT screen);
// A bar item's rectangle in screen coordinates; false when there is no such item.
bool menuBarItemRect(Window &w, int item, RECT &screen);
// Draws `item` raised (selected) or pushed in (its drop-down is open) and every other item plain; -1 for
// none. The bar is drawn again at once.
void highlightMenuBarItem(Window &w, int item, bool open);

}  // namespace win32

#endif
