// gdi32: glyphs from the Unifont table packed at build time and mapped with the program.
#include "gdi32/font.h"

extern "C" const uint8_t win32_unifont[];

namespace win32::font {
namespace {

constexpr size_t kBitmapBytes = 65536 / 8;

bool bit(const uint8_t *bits, uint32_t cp) { return bits[cp / 8] & (1u << (cp % 8)); }

}  // namespace

Glyph glyph(uint32_t cp) {
  const uint8_t *present = win32_unifont, *wide = win32_unifont + kBitmapBytes;
  const uint8_t *rows = win32_unifont + 2 * kBitmapBytes;
  if (cp > 0xFFFF || !bit(present, cp)) cp = 0xFFFD;
  return {bit(wide, cp) ? 16 : 8, rows + size_t(cp) * 32};
}

uint32_t nextCodePoint(std::string_view text, size_t &i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
  if (extra == 0 || i + extra >= text.size()) {
    ++i;
    return 0xFFFD;
  }
  uint32_t cp = lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += extra + 1;
  return cp;
}

int textWidth(std::string_view text) {
  int width = 0;
  for (size_t i = 0; i < text.size();) width += glyph(nextCodePoint(text, i)).width;
  return width;
}

}  // namespace win32::font
