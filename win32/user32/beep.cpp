// user32: MessageBeep, audible where the system has sound and always counted.
#include "user32/beep.h"

#include <windows.h>

#include "backend/driver.h"

namespace win32 {
namespace {
int beeps = 0;
}

int beepCount() { return beeps; }

}  // namespace win32

extern "C" BOOL WINAPI MessageBeep(UINT) {
  ++win32::beeps;
  win32::backend::driver().beep();
  return TRUE;
}
