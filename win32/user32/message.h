// user32: the thread's message queue and the calls into window procedures.
#ifndef OXBYTE_WIN32_USER32_MESSAGE_H
#define OXBYTE_WIN32_USER32_MESSAGE_H

#include <windows.h>

#include "backend/driver.h"

namespace win32 {

// Input waits in its own queue, behind posted messages and ahead of paint and timers: a key, character or
// mouse event as it came from the desktop, which becomes messages only when retrieved.
void postInputEvent(const backend::Event &event);
// A message that must be retrieved before anything else posted (TranslateMessage's characters).
void postMessageFirst(const MSG &msg);
// True while some window procedure is running (records of destroyed windows must stay alive).
bool insideWindowProcedure();
// The message most recently retrieved, and whether it came from the keyboard or mouse.
bool lastRetrievedWasInput(const MSG &msg);
DWORD messageTime();
// Runs a window procedure; every call into program code goes through here.
LRESULT callWindowProcedure(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32

#endif
