// The view's character-cell layout: the mouse hit test and the scroll-into-view arithmetic.
#include "view/layout.h"

CellHit hitTestCell(int x, int y, int cw, int lineHeight, int visibleRows, int32_t topOffset, int32_t fileSize) {
  const CellHit miss{false, 0, 0, false};
  if (x < 0 || y < 0 || cw <= 0 || lineHeight <= 0) return miss;
  const int cell = x / cw;
  int column;
  bool ascii;
  if (cell >= hexCell(0) && cell < RIGHT_BAR_CELL) {
    if ((cell - hexCell(0)) % HEX_CELLS_PER_BYTE == 2) return miss;  // the blank after a byte's two digits
    column = (cell - hexCell(0)) / HEX_CELLS_PER_BYTE;
    ascii = false;
  } else if (cell >= charCell(0) && cell < ROW_CELLS) {
    column = cell - charCell(0);
    ascii = true;
  } else {
    return miss;  // the offset, a bar and its blank, or right of the characters
  }
  int row = y / lineHeight;
  if (row >= visibleRows || int64_t(topOffset) + BYTES_PER_ROW * int64_t(row) + column > int64_t(fileSize) - 1)
    return miss;
  return {true, row, column, ascii};
}

int32_t revealTopOffset(int32_t topOffset, int32_t target, int32_t visibleRows, int32_t fileSize) {
  const int32_t page = BYTES_PER_ROW * visibleRows;
  if (topOffset <= target && target < topOffset + page) return topOffset;
  int32_t t = target - BYTES_PER_ROW * (visibleRows / 2);
  if (target < topOffset) return t < 0 ? 0 : t / BYTES_PER_ROW * BYTES_PER_ROW;
  int32_t top = t / BYTES_PER_ROW * BYTES_PER_ROW;
  int32_t last = fileSize - 1;
  if (top >= fileSize + BYTES_PER_ROW - page) top = fileSize + BYTES_PER_ROW - 1 - page - last % BYTES_PER_ROW;
  return top < 0 ? 0 : top;
}
