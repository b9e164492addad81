// user32: the vertical scroll bar of a WS_VSCROLL window — its values, its look and its mouse behaviour.
#ifndef OXBYTE_WIN32_USER32_SCROLLBAR_H
#define OXBYTE_WIN32_USER32_SCROLLBAR_H

#include "user32/window.h"

namespace win32 {

enum ScrollPart { NoPart = 0, UpArrow, PageUpArea, Thumb, PageDownArea, DownArrow };

struct ScrollGeometry {
  int arrow;       // height of each arrow button
  int trackTop;    // the track between the arrows, in the bar's own coordinates
  int trackBottom;
  int thumbTop;
  int thumbHeight;  // 0 when there is no room for a thumb
};

// The bar's strip in the window's own coordinates.
RECT scrollBarRect(const Window &w);
// The bar occupies the right strip of the non-client area, `height` pixels high.
ScrollGeometry scrollGeometry(const ScrollBarState &bar, int height);
ScrollPart scrollPartAt(const ScrollGeometry &g, int y);
// The position a thumb whose top is at `thumbTop` stands for.
int positionForThumb(const ScrollBarState &bar, const ScrollGeometry &g, int thumbTop);
// The largest position: max - page + 1, never below min.
int largestPosition(const ScrollBarState &bar);
void paintScrollBar(Window &w, HDC hdc);
// WM_NCLBUTTONDOWN on the bar: tracks the mouse until the button is released.
LRESULT trackScrollBar(Window &w, POINT screenPoint);

}  // namespace win32

#endif
