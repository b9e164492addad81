// user32: the "Button" class — push buttons, check boxes, radio buttons and group boxes.
#ifndef OXBYTE_WIN32_USER32_BUTTON_H
#define OXBYTE_WIN32_USER32_BUTTON_H

#include <windows.h>

#include "user32/controls.h"

namespace win32 {

struct ButtonState : ControlState {
  UINT check = BST_UNCHECKED;  // BST_CHECKED or BST_INDETERMINATE for check boxes and radio buttons
  bool pushed = false;         // drawn pressed in (BST_PUSHED)
  bool focused = false;        // BST_FOCUS
  bool tracking = false;       // the mouse button or the space bar is holding the button down
};

void registerButtonClass();
// Draws the whole button in its current state.
void paintButton(HWND hwnd, HDC hdc, const ButtonState &state);

}  // namespace win32

#endif
