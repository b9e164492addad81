// user32: window positions and sizes, showing and hiding, and what the desktop does to top-level windows.
#ifndef OXBYTE_WIN32_USER32_WINPOS_H
#define OXBYTE_WIN32_USER32_WINPOS_H

#include "user32/window.h"

namespace win32 {

// Moves and sizes a window (rect in parent client or screen coordinates), sending WM_SIZE and WM_MOVE
// when the size or the position changed.
void setWindowRect(Window &w, const RECT &rect, bool repaint);
// The non-client parts changed size (a scroll bar shown or hidden, a menu set): the client area follows.
void frameChanged(Window &w);
// WM_SIZE (SIZE_RESTORED, the client size) and then WM_MOVE (the client area's origin).
void sendSizeAndMove(Window &w);
void nativeResized(Window &top, int width, int height);
void nativeMoved(Window &top, int x, int y);
void nativeMinimized(Window &top, bool minimized);

inline const HWND kDesktopWindow = reinterpret_cast<HWND>(uintptr_t(0x10000));

}  // namespace win32

#endif
