// Overwriting bytes: hexadecimal digits in the hex pane, printable characters in the character pane.
#ifndef OXBYTE_VIEW_EDIT_H
#define OXBYTE_VIEW_EDIT_H

#include <windows.h>

LRESULT onChar(HWND view, WPARAM code);

#endif
