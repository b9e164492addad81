// The view's cell geometry: the mouse hit test and the scroll-into-view arithmetic.
#include "view/layout.h"

#include <gtest/gtest.h>

#include "document/byte_text.h"

namespace {

TEST(RevealTopOffset, WorkedExamples) {
  struct Case {
    int32_t top, target, rows, size, expected;
  } cases[] = {
      {0, 5000, 24, 100000, 4800},      // after the window
      {4800, 5100, 24, 100000, 4800},   // visible: nothing scrolls
      {4800, 4700, 24, 100000, 4496},   // before the window
      {4800, 100, 24, 100000, 0},       // before, t negative
      {0, 99990, 24, 100000, 99616},    // after, clamped: the last row at the bottom
      {0, 99, 5, 100, 32},
      {0, 37, 5, 100, 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(revealTopOffset(c.top, c.target, c.rows, c.size), c.expected) << c.target;
}

TEST(HitTest, EveryKindOfCell) {
  const int cw = 8, lh = 16, rows = 24;
  struct Case {
    int x, y;
    bool hit;
    int row, column;
    bool ascii;
  } cases[] = {
      {9 * cw, 0, true, 0, 0, false},            // first digit of byte 0
      {10 * cw + 7, 15, true, 0, 0, false},      // second digit
      {11 * cw, 0, false, 0, 0, false},          // the blank after a byte
      {12 * cw, 16, true, 1, 1, false},
      {(9 + 45) * cw, 0, true, 0, 15, false},    // byte 15's digits
      {56 * cw, 0, false, 0, 0, false},          // the blank of byte 15
      {57 * cw, 0, false, 0, 0, false},          // the bar
      {58 * cw, 0, false, 0, 0, false},          // the blank after the bar
      {59 * cw, 0, true, 0, 0, true},            // byte 0's character
      {74 * cw + 7, 0, true, 0, 15, true},       // byte 15's character
      {75 * cw, 0, false, 0, 0, false},          // right of the characters
      {8 * cw + 7, 0, false, 0, 0, false},       // left of the digits
      {0, 0, false, 0, 0, false},                // the offset column
      {9 * cw, 24 * lh, false, 0, 0, false},     // the spare pixel rows below the last row
      {9 * cw, -1, false, 0, 0, false},
  };
  for (const Case &c : cases) {
    CellHit hit = hitTestCell(c.x, c.y, cw, lh, rows, 0, 100000);
    EXPECT_EQ(hit.hit, c.hit) << c.x << "," << c.y;
    if (!c.hit || !hit.hit) continue;
    EXPECT_EQ(hit.row, c.row);
    EXPECT_EQ(hit.column, c.column);
    EXPECT_EQ(hit.asciiPane, c.ascii);
  }
}

TEST(HitTest, CellsPastTheEndOfTheDocumentMiss) {
  // 20 bytes: row 1 holds bytes 16..19.
  EXPECT_TRUE(hitTestCell(hexCell(3) * 8, 16, 8, 16, 24, 0, 20).hit);
  EXPECT_FALSE(hitTestCell(hexCell(4) * 8, 16, 8, 16, 24, 0, 20).hit);
  EXPECT_FALSE(hitTestCell(charCell(4) * 8, 16, 8, 16, 24, 0, 20).hit);
  EXPECT_FALSE(hitTestCell(hexCell(0) * 8, 32, 8, 16, 24, 0, 20).hit);
  EXPECT_FALSE(hitTestCell(hexCell(0) * 8, 0, 8, 16, 24, 0, 0).hit);  // an empty document
}

TEST(DisplayChar, PrintableAsciiShowsItselfAndTheRestADot) {
  EXPECT_EQ(displayChar(0x20), ' ');
  EXPECT_EQ(displayChar(0x7E), '~');
  EXPECT_EQ(displayChar(0x41), 'A');
  for (int b : {0x00, 0x0A, 0x1F, 0x7F, 0x80, 0xFF}) EXPECT_EQ(displayChar(uint8_t(b)), '.') << b;
}

}  // namespace
