// The character cell of the stock fixed-pitch font, which every row of the view is laid out in.
#ifndef OXBYTE_VIEW_FONT_CELL_H
#define OXBYTE_VIEW_FONT_CELL_H

#include <windows.h>

#include <cstdint>

struct FontCell {
  int32_t width;   // tmAveCharWidth
  int32_t height;  // tmHeight + tmExternalLeading
};

// Selects SYSTEM_FIXED_FONT into the device context and measures its cell.
FontCell selectFixedFont(HDC hdc);
// The same, measured on a window's own device context.
FontCell measureFixedFont(HWND window);

#endif
