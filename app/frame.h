// The frame window: the program's one top-level window with its menu, toolbar and status bar.
#ifndef OXBYTE_APP_FRAME_H
#define OXBYTE_APP_FRAME_H

#include <windows.h>

LRESULT CALLBACK frameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

#endif
