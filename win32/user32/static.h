// user32: the "Static" class — text, icons and plain rectangles that take no input.
#ifndef OXBYTE_WIN32_USER32_STATIC_H
#define OXBYTE_WIN32_USER32_STATIC_H

#include <windows.h>

#include "user32/controls.h"

namespace win32 {

struct StaticState : ControlState {
  HICON icon = nullptr;  // SS_ICON
};

void registerStaticClass();

}  // namespace win32

#endif
