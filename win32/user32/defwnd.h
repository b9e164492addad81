// user32: what DefWindowProcA hands to the scroll bars and the menu bar.
#ifndef OXBYTE_WIN32_USER32_DEFWND_H
#define OXBYTE_WIN32_USER32_DEFWND_H

#include "user32/window.h"

namespace win32 {

// Mouse messages in the non-client area (scroll bar arrows and thumb, the menu bar).
extern LRESULT (*nonClientMouseHook)(Window &w, UINT message, WPARAM hit, LPARAM screenPoint);
// WM_SYSCOMMAND SC_KEYMENU / SC_MOUSEMENU: the menu bar takes the keyboard (key is the letter, or 0).
extern LRESULT (*menuKeyHook)(Window &w, WPARAM command, LPARAM key);

}  // namespace win32

#endif
