// user32: update regions, WM_PAINT and WM_ERASEBKGND, window device contexts, showing the pixels.
#ifndef OXBYTE_WIN32_USER32_PAINT_H
#define OXBYTE_WIN32_USER32_PAINT_H

#include "user32/window.h"

namespace win32 {

bool takePaintMessage(HWND filter, UINT min, UINT max, MSG &out);
void presentSurfaces();
// `rect` in client coordinates, null for the whole client area. Children in the area are invalidated too
// unless the window clips its children.
void invalidateClient(Window &w, const RECT *rect, bool erase);
// The whole window, its frame and all its descendants must be drawn again.
void invalidateWhole(Window &w);
// The part of the parent that `rect` (in the parent's client coordinates) covers.
void invalidateParentArea(Window &child, const RECT &rect);
// Draws the non-client parts (border, scroll bar, menu bar) now.
void paintFrame(Window &w);

}  // namespace win32

#endif
