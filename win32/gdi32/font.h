// gdi32: the one typeface every font of the stand-in draws with (Unifont: 8×16 and 16×16 glyphs).
#ifndef OXBYTE_WIN32_GDI32_FONT_H
#define OXBYTE_WIN32_GDI32_FONT_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace win32::font {

constexpr int kCellWidth = 8;
constexpr int kHeight = 16;
// Rows above the baseline: Latin capitals and digits end on row 13, descenders take rows 14 and 15.
constexpr int kAscent = 14;

struct Glyph {
  int width;                // 8 or 16 pixels
  const uint8_t *rows;      // 16 rows of 2 bytes, the left pixel in the high bit
};

Glyph glyph(uint32_t codePoint);

// Decodes one character of UTF-8 text at `i` and moves past it; a byte that starts no valid sequence
// stands for itself as U+FFFD and is consumed alone, so text never stalls or splits a valid character.
uint32_t nextCodePoint(std::string_view text, size_t &i);

// Width in pixels of `text` drawn in one line.
int textWidth(std::string_view text);

}  // namespace win32::font

#endif
