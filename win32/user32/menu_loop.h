// user32: the menu loop — how the menu bar takes the keyboard and the mouse until a choice is made.
#ifndef OXBYTE_WIN32_USER32_MENU_LOOP_H
#define OXBYTE_WIN32_USER32_MENU_LOOP_H

#include "user32/window.h"

namespace win32 {

// DefWindowProcA's WM_SYSCOMMAND SC_KEYMENU (lParam: the letter typed with Alt, or 0) and SC_MOUSEMENU
// (lParam: the screen point): runs the loop for the top-level window's menu bar.
LRESULT trackMenu(Window &w, WPARAM command, LPARAM lParam);
// DefWindowProcA's non-client mouse messages that are not for the scroll bar.
LRESULT menuBarMouse(Window &w, UINT message, WPARAM hit, LPARAM screenPoint);

}  // namespace win32

#endif
