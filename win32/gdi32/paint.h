// gdi32: the pixel work under every drawing call — fills, glyphs and images, clipped to the DC.
#ifndef OXBYTE_WIN32_GDI32_PAINT_H
#define OXBYTE_WIN32_GDI32_PAINT_H

#include <string_view>

#include "gdi32/dc.h"
#include "gdi32/image.h"

namespace win32::paint {

// All coordinates are the DC's logical ones.
void fill(DeviceContext &dc, const RECT &rect, COLORREF color);
void invert(DeviceContext &dc, const RECT &rect);
// Draws UTF-8 text in one line from (x, y), the cell background filled when `background` is given;
// returns the width drawn.
int text(DeviceContext &dc, int x, int y, std::string_view utf8, COLORREF color, const COLORREF *background);
// Draws the `source` part of an image at (x, y), skipping transparent pixels; `recolor`, when given, maps
// each opaque 0xRRGGBB pixel to the one drawn (the toolbar's button-face mapping and greyed look).
void image(DeviceContext &dc, int x, int y, const Image &picture, const RECT &source,
           uint32_t (*recolor)(uint32_t pixel, const void *context) = nullptr, const void *context = nullptr);
void setPixel(DeviceContext &dc, int x, int y, COLORREF color);
bool getPixel(DeviceContext &dc, int x, int y, COLORREF &color);

}  // namespace win32::paint

#endif
