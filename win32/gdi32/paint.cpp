// gdi32: the pixel work under every drawing call.
#include "gdi32/paint.h"

#include "gdi32/font.h"

namespace win32::paint {
namespace {

// Calls `visit(surfaceRect)` for each part of the logical `rect` that lies inside the clip.
template <typename Visit>
void forClipped(DeviceContext &dc, const RECT &rect, Visit visit) {
  if (!dc.surface) return;
  RECT target = rectOffset(rect, dc.origin.x, dc.origin.y);
  target = rectIntersection(target, RECT{0, 0, dc.surface->width, dc.surface->height});
  if (rectEmpty(target)) return;
  for (const RECT &clip : dc.clip.rects()) {
    RECT part = rectIntersection(target, clip);
    if (rectEmpty(part)) continue;
    visit(part);
    dc.surface->markDirty(part);
  }
}

void drawGlyph(DeviceContext &dc, int x, int y, const font::Glyph &glyph, uint32_t color) {
  int sx = x + dc.origin.x, sy = y + dc.origin.y;
  forClipped(dc, RECT{x, y, x + glyph.width, y + font::kHeight}, [&](const RECT &part) {
    for (int py = part.top; py < part.bottom; ++py) {
      const uint8_t *bits = glyph.rows + (py - sy) * 2;
      unsigned rowBits = (unsigned(bits[0]) << 8) | bits[1];
      uint32_t *row = dc.surface->row(py);
      for (int px = part.left; px < part.right; ++px)
        if (rowBits & (0x8000u >> (px - sx))) row[px] = color;
    }
  });
}

}  // namespace

void fill(DeviceContext &dc, const RECT &rect, COLORREF color) {
  uint32_t pixel = pixelOf(color);
  forClipped(dc, rect, [&](const RECT &part) {
    for (int y = part.top; y < part.bottom; ++y) {
      uint32_t *row = dc.surface->row(y);
      for (int x = part.left; x < part.right; ++x) row[x] = pixel;
    }
  });
}

void invert(DeviceContext &dc, const RECT &rect) {
  forClipped(dc, rect, [&](const RECT &part) {
    for (int y = part.top; y < part.bottom; ++y) {
      uint32_t *row = dc.surface->row(y);
      for (int x = part.left; x < part.right; ++x) row[x] ^= 0xFFFFFF;
    }
  });
}

int text(DeviceContext &dc, int x, int y, std::string_view utf8, COLORREF color, const COLORREF *background) {
  int width = font::textWidth(utf8);
  if (background) fill(dc, RECT{x, y, x + width, y + font::kHeight}, *background);
  uint32_t pixel = pixelOf(color);
  int pen = x;
  for (size_t i = 0; i < utf8.size();) {
    font::Glyph glyph = font::glyph(font::nextCodePoint(utf8, i));
    drawGlyph(dc, pen, y, glyph, pixel);
    pen += glyph.width;
  }
  return width;
}

void image(DeviceContext &dc, int x, int y, const Image &picture, const RECT &source,
           uint32_t (*recolor)(uint32_t, const void *), const void *context) {
  RECT src = rectIntersection(source, RECT{0, 0, picture.width, picture.height});
  if (rectEmpty(src)) return;
  int sx = x + dc.origin.x - src.left, sy = y + dc.origin.y - src.top;
  forClipped(dc, RECT{x, y, x + (src.right - src.left), y + (src.bottom - src.top)}, [&](const RECT &part) {
    for (int py = part.top; py < part.bottom; ++py) {
      uint32_t *row = dc.surface->row(py);
      for (int px = part.left; px < part.right; ++px) {
        uint32_t argb = picture.at(px - sx, py - sy);
        if ((argb >> 24) == 0) continue;
        uint32_t rgb = argb & 0xFFFFFF;
        row[px] = recolor ? recolor(rgb, context) : rgb;
      }
    }
  });
}

void setPixel(DeviceContext &dc, int x, int y, COLORREF color) { fill(dc, RECT{x, y, x + 1, y + 1}, color); }

bool getPixel(DeviceContext &dc, int x, int y, COLORREF &color) {
  if (!dc.surface) return false;
  int sx = x + dc.origin.x, sy = y + dc.origin.y;
  if (sx < 0 || sy < 0 || sx >= dc.surface->width || sy >= dc.surface->height || !dc.clip.contains(sx, sy))
    return false;
  color = colorOf(dc.surface->row(sy)[sx]);
  return true;
}

}  // namespace win32::paint
