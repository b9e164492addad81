// The view's character-cell layout, shared by painting, the cursor cell, the mouse and the frame's width.
// A row shows BYTES_PER_ROW bytes in ROW_CELLS cells: the offset at 0-5, a bar at 7, byte j's two digits
// and a blank from 9 + 3j, a bar at 57, byte j's character at 59 + j.
#ifndef OXBYTE_VIEW_LAYOUT_H
#define OXBYTE_VIEW_LAYOUT_H

#include <cstdint>

constexpr int BYTES_PER_ROW = 16;
constexpr int HEX_CELLS_PER_BYTE = 3;  // two digits and a blank

constexpr int OFFSET_CELL = 0;
constexpr int LEFT_BAR_CELL = 7;
constexpr int hexCell(int column) { return LEFT_BAR_CELL + 2 + HEX_CELLS_PER_BYTE * column; }
constexpr int RIGHT_BAR_CELL = hexCell(BYTES_PER_ROW);
constexpr int charCell(int column) { return RIGHT_BAR_CELL + 2 + column; }
constexpr int ROW_CELLS = charCell(BYTES_PER_ROW);

// The document offset of the byte shown at (row, column) when the first visible row starts at topOffset.
constexpr int32_t cellOffset(int32_t topOffset, int32_t row, int32_t column) {
  return topOffset + BYTES_PER_ROW * row + column;
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
