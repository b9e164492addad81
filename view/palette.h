// The view's colours: black on white, with the bytes changed since the last load or save in red. The
// cursor inverts its cell (a changed byte then shows cyan on black) and marks its twin in the other pane
// with light grey.
#ifndef OXBYTE_VIEW_PALETTE_H
#define OXBYTE_VIEW_PALETTE_H

#include <windows.h>

constexpr COLORREF INK = RGB(0, 0, 0), PAPER = RGB(255, 255, 255), CHANGED_INK = RGB(255, 0, 0),
                   CHANGED_INK_INVERTED = RGB(0, 255, 255), TWIN_PAPER = RGB(192, 192, 192);

#endif
