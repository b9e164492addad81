// gdi32: the pixel work under every drawing call.
#include "gdi32/paint.h"

#include <algorithm>
#include <cstring>

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

// The sixteen ways four neighbouring pixels can be ink or paper, kept for the colours used last (text
// is drawn in few colours, and always on the one thread that runs the windows), so a glyph row of eight
// pixels is two copies of four.
struct InkQuads {
  uint32_t ink = 0, paper = 0;
  bool made = false;
  uint32_t pixels[16][4];
};

const InkQuads &inkQuads(uint32_t ink, uint32_t paper) {
  static InkQuads quads;
  if (!quads.made || quads.ink != ink || quads.paper != paper) {
    quads.ink = ink;
    quads.paper = paper;
    quads.made = true;
    for (unsigned bits = 0; bits < 16; ++bits)
      for (int k = 0; k < 4; ++k) quads.pixels[bits][k] = (bits & (8u >> k)) ? ink : paper;
  }
  return quads;
}

void putEight(uint32_t *out, unsigned bits, const InkQuads &quads) {
  std::memcpy(out, quads.pixels[bits >> 4], sizeof quads.pixels[0]);
  std::memcpy(out + 4, quads.pixels[bits & 15], sizeof quads.pixels[0]);
}

// A glyph with its cell's background, when the whole cell lies inside one rectangle of the clip (as
// nearly every cell does): each pixel is written once, ink or paper.
bool drawOpaqueGlyph(DeviceContext &dc, int x, int y, const font::Glyph &glyph, uint32_t ink, uint32_t paper) {
  if (!dc.surface) return false;
  RECT cell = rectOffset(RECT{x, y, x + glyph.width, y + font::kHeight}, dc.origin.x, dc.origin.y);
  if (cell.left < 0 || cell.top < 0 || cell.right > dc.surface->width || cell.bottom > dc.surface->height)
    return false;
  auto holdsCell = [&](const RECT &r) {
    return cell.left >= r.left && cell.top >= r.top && cell.right <= r.right && cell.bottom <= r.bottom;
  };
  if (std::none_of(dc.clip.rects().begin(), dc.clip.rects().end(), holdsCell)) return false;
  const InkQuads &quads = inkQuads(ink, paper);
  for (int i = 0; i < font::kHeight; ++i) {
    uint32_t *out = dc.surface->row(cell.top + i) + cell.left;
    putEight(out, glyph.rows[2 * i], quads);
    if (glyph.width == 16) putEight(out + 8, glyph.rows[2 * i + 1], quads);
  }
  dc.surface->markDirty(cell);
  return true;
}

}  // namespace

void fill(DeviceContext &dc, const RECT &rect, COLORREF color) {
  uint32_t pixel = pixelOf(color);
  // The first row pixel by pixel, the others copied from it (a copy runs many pixels at a time).
  forClipped(dc, rect, [&](const RECT &part) {
    uint32_t *first = dc.surface->row(part.top) + part.left;
    size_t width = size_t(part.right - part.left);
    std::fill_n(first, width, pixel);
    for (int y = part.top + 1; y < part.bottom; ++y)
      std::memcpy(dc.surface->row(y) + part.left, first, width * sizeof *first);
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
  uint32_t pixel = pixelOf(color);
  int pen = x;
  for (size_t i = 0; i < utf8.size();) {
    font::Glyph glyph = font::glyph(font::nextCodePoint(utf8, i));
    if (!background || !drawOpaqueGlyph(dc, pen, y, glyph, pixel, pixelOf(*background))) {
      if (background) fill(dc, RECT{pen, y, pen + glyph.width, y + font::kHeight}, *background);
      drawGlyph(dc, pen, y, glyph, pixel);
    }
    pen += glyph.width;
  }
  return pen - x;
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
