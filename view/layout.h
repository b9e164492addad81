// The view's character-cell layout, shared by painting, the cursor cell and the mouse. A row is 75 cells:
// the offset at 0-5, a bar at 7, byte j's digits at 9 + 3j and 10 + 3j, a bar at 57, byte j's character
// at 59 + j.
#ifndef OXBYTE_VIEW_LAYOUT_H
#define OXBYTE_VIEW_LAYOUT_H

#include <cstdint>

constexpr int ROW_CELLS = 75;
constexpr int OFFSET_CELL = 0;
constexpr int LEFT_BAR_CELL = 7;
constexpr int RIGHT_BAR_CELL = 57;

constexpr int hexCell(int column) { return 9 + 3 * column; }
constexpr int charCell(int column) { return 59 + column; }

// The character shown for a byte: the byte itself when printable ASCII, else a dot.
constexpr char displayChar(uint8_t b) { return b >= 0x20 && b <= 0x7E ? char(b) : '.'; }

// A byte's two upper-case hexadecimal digits, as the view and the Find dialog's byte lists show them.
struct HexDigits {
  char text[2];
};
constexpr HexDigits hexDigits(uint8_t b) {
  constexpr char digits[] = "0123456789ABCDEF";
  return {{digits[b >> 4], digits[b & 15]}};
}

// Where a press of the left button at (x, y) lands: a byte's digits or character on a visible row.
struct CellHit {
  bool hit;
  int row;
  int column;
  bool asciiPane;
};
CellHit hitTestCell(int x, int y, int charWidth, int lineHeight, int visibleRows, int32_t topOffset,
                    int32_t fileSize);

// The top offset that shows `target`: unchanged when it is visible, else with visibleRows / 2 rows above
// the target's row, held within 0 .. the largest top offset.
int32_t revealTopOffset(int32_t topOffset, int32_t target, int32_t visibleRows, int32_t fileSize);

#endif
