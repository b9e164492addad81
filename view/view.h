// The hex view: the child window that shows the document as rows of 16 bytes.
#ifndef OXBYTE_VIEW_VIEW_H
#define OXBYTE_VIEW_VIEW_H

#include <windows.h>

LRESULT CALLBACK viewWindowProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam);

#endif
