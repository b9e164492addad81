// user32: the menu loop — how the menu bar takes the keyboard and the mouse until a choice is made.
#ifndef OXBYTE_WIN32_USER32_MENU_LOOP_H
#define OXBYTE_WIN32_USER32_MENU_LOOP_H

#include "user32/menu_track.h"
#include "user32/window.h"

namespace win32 {

// One menu loop at a time, as Windows allows: entered() is false while another runs.
class MenuMode {
 public:
  MenuMode();
  ~MenuMode();
  MenuMode(const MenuMode &) = delete;
  MenuMode &operator=(const MenuMode &) = delete;
  bool entered() const { return entered_; }

 private:
  bool entered_;
};

// Windows' menu loop: keyboard and mouse input drive the menu until it is done; with `rightButton`
// (TPM_RIGHTBUTTON) a release of the right button chooses too.
void runMenuLoop(MenuTracker &t, bool rightButton);

// DefWindowProcA's WM_SYSCOMMAND SC_KEYMENU (lParam: the letter typed with Alt, 0, or ' ' for the system
// menu) and SC_MOUSEMENU (lParam: the screen point): runs the loop for the top-level window's menu bar
// and system menu.
LRESULT trackMenu(Window &w, WPARAM command, LPARAM lParam);
// DefWindowProcA's non-client mouse messages that are not for the scroll bar.
LRESULT menuBarMouse(Window &w, UINT message, WPARAM hit, LPARAM screenPoint);

}  // namespace win32

#endif
