// user32: drop-down menus — windows of class "#32768" that show one menu's items.
#ifndef OXBYTE_WIN32_USER32_MENU_POPUP_H
#define OXBYTE_WIN32_USER32_MENU_POPUP_H

#include <windows.h>

namespace win32 {

void registerPopupMenuClass();
// Shows `menu` (without activating anything) with its top-left corner at a screen point, moved back
// onto the screen if it would stick out.
HWND showPopupMenu(HWND owner, HMENU menu, POINT screen);
// Selects an item (-1: none) and draws the old and the new selection again.
void selectPopupMenuItem(HWND popup, int item);
// Whether a screen point lies on the drop-down, and on which item (-1 for none).
bool popupMenuContains(HWND popup, POINT screen);
int popupMenuItemAt(HWND popup, POINT screen);
// The rectangle of an item of a menu shown in a drop-down, in screen coordinates.
bool popupMenuItemRect(HMENU menu, int item, RECT &screen);

}  // namespace win32

#endif
