// The view's creation, resize and painting.
#ifndef OXBYTE_VIEW_PAINT_H
#define OXBYTE_VIEW_PAINT_H

#include <windows.h>

void createView(HWND view);
void resizeView(HWND view);
void paintView(HWND view);
// Asks for the whole view to be painted again (erased first).
void repaintView(HWND view);
// Brings topOffset in line with the scroll position, the one source of the top row.
void followScrollPosition(HWND view);
// Keeps the cursor on a visible byte of the document: its row within the view, its offset below the end.
void keepCursorInside();

#endif
