// gdi32: text, rectangles, lines and pixels on a device context.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "gdi32/font.h"
#include "gdi32/paint.h"

using namespace win32;

extern "C" {

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
  if (!deviceContext(hdc) || !tm) return FALSE;
  *tm = TEXTMETRICA{};
  tm->tmHeight = font::kHeight;
  tm->tmAscent = font::kAscent;
  tm->tmDescent = font::kHeight - font::kAscent;
  tm->tmAveCharWidth = font::kCellWidth;
  tm->tmMaxCharWidth = 2 * font::kCellWidth;
  tm->tmWeight = 400;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmPitchAndFamily = 0x30;  // FF_MODERN, fixed pitch
  tm->tmCharSet = 0x86;         // GB2312_CHARSET: the glyphs cover Chinese text
  return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  if (!deviceContext(hdc) || !size || count < 0 || (!text && count)) return FALSE;
  size->cx = font::textWidth(std::string_view(text ? text : "", size_t(count)));
  size->cy = font::kHeight;
  return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc || count < 0 || (!text && count)) return FALSE;
  const COLORREF *background = dc->bkMode == OPAQUE ? &dc->bkColor : nullptr;
  paint::text(*dc, x, y, std::string_view(text ? text : "", size_t(count)), dc->textColor, background);
  return TRUE;
}

// The outline is drawn with the current pen inside the rectangle (right and bottom edges excluded) and
// the inside is filled with the current brush.
BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return FALSE;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  bool outline = dc->pen && !dc->pen->hollow;
  int inset = outline ? 1 : 0;
  if (dc->brush && !dc->brush->hollow)
    paint::fill(*dc, RECT{left + inset, top + inset, right - inset, bottom - inset}, dc->brush->color);
  if (outline) {
    COLORREF c = dc->pen->color;
    paint::fill(*dc, RECT{left, top, right, top + 1}, c);
    paint::fill(*dc, RECT{left, bottom - 1, right, bottom}, c);
    paint::fill(*dc, RECT{left, top, left + 1, bottom}, c);
    paint::fill(*dc, RECT{right - 1, top, right, bottom}, c);
  }
  return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->position;
  dc->position = {x, y};
  return TRUE;
}

// A line from the current position up to, but not including, (x, y).
BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return FALSE;
  int x0 = dc->position.x, y0 = dc->position.y;
  dc->position = {x, y};
  if (!dc->pen || dc->pen->hollow) return TRUE;
  int dx = std::abs(x - x0), dy = -std::abs(y - y0), sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  while (x0 != x || y0 != y) {
    paint::setPixel(*dc, x0, y0, dc->pen->color);
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
  return TRUE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  DeviceContext *dc = deviceContext(hdc);
  COLORREF color;
  return dc && paint::getPixel(*dc, x, y, color) ? color : CLR_INVALID;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return CLR_INVALID;
  paint::setPixel(*dc, x, y, color);
  return color & 0xFFFFFF;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return FALSE;
  RECT r{std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
  if (rop == DSTINVERT) {
    paint::invert(*dc, r);
    return TRUE;
  }
  if (rop == PATCOPY && dc->brush && !dc->brush->hollow) paint::fill(*dc, r, dc->brush->color);
  return rop == PATCOPY;
}

}  // extern "C"
