// user32: timers that arrive as WM_TIMER when nothing else is waiting.
#ifndef OXBYTE_WIN32_USER32_TIMER_H
#define OXBYTE_WIN32_USER32_TIMER_H

#include <windows.h>

#include <cstdint>

namespace win32 {

bool takeDueTimer(HWND filter, UINT min, UINT max, bool remove, MSG &out);
uint64_t nextTimerDeadline();  // UINT64_MAX when there is no timer
void killTimersOf(HWND hwnd);

}  // namespace win32

#endif
