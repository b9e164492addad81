// user32: hooks (WH_CBT: tests and helpers watch windows being created, activated and focused).
#ifndef OXBYTE_WIN32_USER32_HOOK_H
#define OXBYTE_WIN32_USER32_HOOK_H

#include <windows.h>

namespace win32 {

// Runs the CBT hooks; a nonzero result forbids the action.
LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam);

}  // namespace win32

#endif
