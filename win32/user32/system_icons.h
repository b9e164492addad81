// user32: the stand-in's own system icons (IDI_*): the message box symbols and the application icon.
#ifndef OXBYTE_WIN32_USER32_SYSTEM_ICONS_H
#define OXBYTE_WIN32_USER32_SYSTEM_ICONS_H

#include <windows.h>

#include <cstdint>

#include "gdi32/image.h"

namespace win32 {

// The 32 × 32 picture of a system icon; empty for an identifier that is not one.
Image systemIconImage(uintptr_t id);
// LoadIconA(NULL, IDI_*): one shared handle per icon.
HICON systemIcon(uintptr_t id);

}  // namespace win32

#endif
