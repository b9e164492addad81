// comctl32: drawing the toolbar — flat buttons with hot and pressed edges, images, the greyed look.
#include "comctl32/toolbar.h"

#include "gdi32/paint.h"

namespace win32 {
namespace {

constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kBlack = 0x000000, kGrey = 0x808080, kLightGrey = 0xC0C0C0, kWhite = 0xFFFFFF;

// The colours a toolbar bitmap is drawn in are the user's: CreateMappedBitmap's default map.
uint32_t systemColorFor(uint32_t rgb) {
  switch (rgb) {
    case kBlack: return pixelOf(GetSysColor(COLOR_BTNTEXT));
    case kGrey: return pixelOf(GetSysColor(COLOR_BTNSHADOW));
    case kLightGrey: return pixelOf(GetSysColor(COLOR_BTNFACE));
    case kWhite: return pixelOf(GetSysColor(COLOR_BTNHIGHLIGHT));
    default: return rgb;
  }
}

uint32_t solidColor(uint32_t, const void *color) { return *static_cast<const uint32_t *>(color); }

// A flat separator is an etched line down its middle.
void paintSeparator(DeviceContext &dc, const RECT &r) {
  int x = (r.left + r.right) / 2 - 1;
  paint::fill(dc, RECT{x, r.top + 1, x + 1, r.bottom - 3}, GetSysColor(COLOR_BTNSHADOW));
  paint::fill(dc, RECT{x + 1, r.top + 1, x + 2, r.bottom - 3}, GetSysColor(COLOR_BTNHIGHLIGHT));
}

// The greyed look is the image's shape embossed: in white one pixel down and right, in grey on top.
void paintImage(const ToolbarState &s, DeviceContext &dc, const ToolbarButton &b, const RECT &r) {
  if (b.bitmap < 0 || b.bitmap >= s.imageCount) return;
  SIZE button = s.buttonSize();
  int shift = b.down() ? 1 : 0;
  int x = r.left + (button.cx - s.bitmapSize.cx) / 2 + shift;
  int y = r.top + (button.cy - s.bitmapSize.cy) / 2 + shift;
  RECT source{b.bitmap * s.bitmapSize.cx, 0, (b.bitmap + 1) * s.bitmapSize.cx, s.bitmapSize.cy};
  if (!b.greyed()) {
    paint::image(dc, x, y, s.images, source);
    return;
  }
  uint32_t highlight = pixelOf(GetSysColor(COLOR_BTNHIGHLIGHT)), shadow = pixelOf(GetSysColor(COLOR_BTNSHADOW));
  paint::image(dc, x + 1, y + 1, s.shapes, source, solidColor, &highlight);
  paint::image(dc, x, y, s.shapes, source, solidColor, &shadow);
}

// Flat buttons show an edge only under the pointer (raised) or while held (sunken); classic ones
// always stand out.
void paintButton(const ToolbarState &s, HDC hdc, int index) {
  const ToolbarButton &b = s.buttons[index];
  RECT r = itemRect(s, index);
  DeviceContext *dc = deviceContext(hdc);
  if (b.hidden() || !dc) return;
  if (b.separator()) {
    if (s.flat) paintSeparator(*dc, r);
    return;
  }
  RECT edge = r;
  if (!s.flat) {
    DrawEdge(hdc, &edge, b.down() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  } else if (b.down()) {
    DrawEdge(hdc, &edge, BDR_SUNKENOUTER, BF_RECT);
  } else if (index == s.hot && !b.greyed()) {
    DrawEdge(hdc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  paintImage(s, *dc, b, r);
}

}  // namespace

// The face is left out (the toolbar's own face shows through), and the shapes leave out the highlights
// too, so a greyed image keeps only its outline and dark parts.
void setToolbarImages(ToolbarState &s, const Image &strip, int count) {
  s.images = strip;
  s.shapes = strip;
  for (size_t i = 0; i < strip.pixels.size(); ++i) {
    uint32_t rgb = strip.pixels[i] & 0xFFFFFF;
    bool face = rgb == kLightGrey, highlight = rgb == kWhite;
    s.images.pixels[i] = face ? 0 : kOpaque | systemColorFor(rgb);
    s.shapes.pixels[i] = face || highlight ? 0 : kOpaque;
  }
  s.imageCount = count;
}

void paintToolbar(const ToolbarState &s, HDC hdc) {
  for (int i = 0; i < int(s.buttons.size()); ++i) paintButton(s, hdc, i);
}

}  // namespace win32
