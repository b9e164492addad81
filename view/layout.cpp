// The view's character-cell layout: the mouse hit test and the scroll-into-view arithmetic.
#include "view/layout.h"

CellHit hitTestCell(int x, int y, int cw, int lineHeight, int visibleRows, int32_t topOffset, int32_t fileSize) {
  const CellHit miss{false, 0, 0, false};
  if (x < 9 * cw || y < 0) return miss;
  int column;
  bool ascii;
  int d = x - 9 * cw;
  if (d < 48 * cw) {
    int cell = d / cw;
    if (cell % 3 == 2) return miss;  // the blank after a byte's two digits
    column = cell / 3;
    ascii = false;
  } else {
    int e = x - 59 * cw;
    if (e < 0 || e > 16 * cw - 1) return miss;  // the bar and its blank, or right of the characters
    column = e / cw;
    ascii = true;
  }
  int row = y / lineHeight;
  if (row >= visibleRows || int64_t(topOffset) + 16 * row + column > int64_t(fileSize) - 1) return miss;
  return {true, row, column, ascii};
}

int32_t revealTopOffset(int32_t topOffset, int32_t target, int32_t visibleRows, int32_t fileSize) {
  if (topOffset <= target && target < topOffset + 16 * visibleRows) return topOffset;
  int32_t t = target - 16 * (visibleRows / 2);
  if (target < topOffset) return t < 0 ? 0 : t / 16 * 16;
  int32_t top = t / 16 * 16;
  int32_t last = fileSize - 1;
  if (top >= fileSize + 16 - 16 * visibleRows) top = fileSize + 15 - 16 * visibleRows - last % 16;
  return top < 0 ? 0 : top;
}
