// user32: the square button with a solid triangle that the scroll bar and the drop-down combo box share.
#ifndef OXBYTE_WIN32_USER32_ARROW_BUTTON_H
#define OXBYTE_WIN32_USER32_ARROW_BUTTON_H

#include <windows.h>

namespace win32 {

enum class Arrow { Up, Down };

// Raised, or flat inside a shadow frame while `pressed`, the triangle then one pixel further down and
// right, as a pushed button's face moves; the triangle is grey when the button cannot be used.
void drawArrowButton(HDC hdc, const RECT &r, Arrow arrow, bool pressed, bool enabled);

}  // namespace win32

#endif
