// Win32 on Linux: the public <windowsx.h> of the subset Oxbyte uses (the message crackers windows.h lacks).
#ifndef OXBYTE_WIN32_WINDOWSX_H
#define OXBYTE_WIN32_WINDOWSX_H

#include <windows.h>

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#endif
