// Where the program draws inside its frame, in its own pixels (before any HiDPI scaling): the frame's
// width, the toolbar's buttons and the view's character cells. Measured from the program's drawing:
// a 20-pixel menu bar, a 30-pixel toolbar and a line above the view; cells of 8 × 16 pixels.
#ifndef OXBYTE_TESTS_DESKTOP_FRAME_LAYOUT_H
#define OXBYTE_TESTS_DESKTOP_FRAME_LAYOUT_H

namespace desktop {

struct Point {
  int x = 0, y = 0;
};

// 75 columns of 8 pixels, the 17-pixel scroll bar and 2 pixels.
constexpr int kFrameWidth = 619;
constexpr int kRowHeight = 16;
constexpr int kRowsAtStart = 24;
constexpr int kViewTop = 51;

enum class ToolbarButton { Open, Save, Exit, Undo, Find, GoTo, About };

// The middle of a button's image.
constexpr Point toolbarButton(ToolbarButton button) {
  constexpr int middles[] = {11, 36, 60, 94, 127, 151, 184};
  return {middles[int(button)], 36};
}

// The middle of the high digit of the byte at `column` (0-15) on the view's `row`.
constexpr Point hexDigit(int row, int column) { return {8 * (9 + 3 * column) + 4, kViewTop + kRowHeight * row + 8}; }

// A point of the view left of every byte (over the offsets), where the pointer rests without effect.
constexpr Point besideTheBytes(int row) { return {20, kViewTop + kRowHeight * row + 8}; }

}  // namespace desktop

#endif
