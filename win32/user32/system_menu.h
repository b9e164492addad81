// user32: the system menu — Restore, Move, Size, Minimize, Maximize and Close.
#ifndef OXBYTE_WIN32_USER32_SYSTEM_MENU_H
#define OXBYTE_WIN32_USER32_SYSTEM_MENU_H

#include "user32/window.h"

namespace win32 {

// The window's system menu, made on first use; null for a window without WS_SYSMENU.
HMENU systemMenuOf(Window &w);
// Greys what the window's styles and state rule out; Windows does this each time the menu opens, after
// WM_INITMENUPOPUP, so a program can grey Close but not enable what its styles forbid.
void refreshSystemMenu(const Window &w, HMENU menu);

}  // namespace win32

#endif
