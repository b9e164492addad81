// Moving the cursor and the visible rows: keys, the scroll bar, the mouse, and scrolling an offset into view.
#ifndef OXBYTE_VIEW_NAVIGATE_H
#define OXBYTE_VIEW_NAVIGATE_H

#include <windows.h>

#include <cstdint>

LRESULT onKeyDown(HWND view, WPARAM key);
LRESULT onVScroll(HWND view, WPARAM wParam);
LRESULT onLeftButtonDown(HWND view, LPARAM lParam);
// Three rows per notch of the wheel, as the scroll bar's arrows would move them.
LRESULT onMouseWheel(HWND view, WPARAM wParam);
// Scrolls `target` (a byte of the document) into view and puts the cursor on it, in the pane of the
// last Find mode.
void revealOffset(HWND view, int32_t target);

#endif
