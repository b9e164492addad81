// user32: icons and cursors behind HICON / HCURSOR handles.
#ifndef OXBYTE_WIN32_USER32_ICON_H
#define OXBYTE_WIN32_USER32_ICON_H

#include <windows.h>

#include <vector>

#include "gdi32/image.h"

namespace win32 {

struct IconObject {
  std::vector<Image> images;  // every size the icon has
};

// The icon behind a handle, or null.
const IconObject *iconObject(HICON icon);
// An icon made by the stand-in itself (the message box symbols).
HICON registerIcon(std::vector<Image> images);
// Draws the icon's image closest to `size` pixels with its top-left corner at (x, y).
void drawIconAt(HDC hdc, int x, int y, HICON icon, int size);

}  // namespace win32

#endif
