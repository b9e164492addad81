// kernel32: the one thread's identity and time.
#include <windows.h>

#include <sys/syscall.h>
#include <unistd.h>

#include <ctime>

#include "backend/driver.h"

extern "C" {

DWORD WINAPI GetCurrentThreadId(void) { return DWORD(syscall(SYS_gettid)); }

// Milliseconds on the clock the message loop runs by (the tests' own clock when headless).
DWORD WINAPI GetTickCount(void) { return DWORD(win32::backend::driver().now()); }

// Headless, the tests' clock is the only clock: sleeping moves it on, so the timers due meanwhile are
// due when the thread next looks at its queue, as after a real sleep.
void WINAPI Sleep(DWORD milliseconds) {
  if (win32::backend::isHeadless()) {
    win32::backend::advanceHeadlessClock(milliseconds);
    return;
  }
  timespec t{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0) {
  }
}

}  // extern "C"
