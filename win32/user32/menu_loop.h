// user32: the menu loop — how the menu bar takes the keyboard and the mouse until a choice is made.
#ifndef OXBYTE_WIN32_USER32_MENU_LOOP_H
#define OXBYTE_WIN32_USER32_MENU_LOOP_H

namespace win32 {

// Registers the drop-down class "#32768" and plugs the menu bar into the window geometry, the frame
// painting and DefWindowProcA.
void registerMenuClass();

}  // namespace win32

#endif
