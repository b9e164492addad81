// What program tests need from the platform beyond the Win32 API they drive the program with. Linux (the
// stand-in, headless) and real Windows each implement it once: platform_standin.cpp, platform_windows.cpp.
#ifndef OXBYTE_TESTS_SUPPORT_PLATFORM_H
#define OXBYTE_TESTS_SUPPORT_PLATFORM_H

#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// Calls of MessageBeep by this process so far.
int beepCount();

// Real mouse input with the left button, as the desktop delivers it: the window under the point (screen
// coordinates) receives it, and a modal loop that a press starts reads the events that follow.
enum class Mouse { Press, Move, Release };
void mouse(Mouse action, POINT screen);

// Makes `name` (a POSIX locale name such as "de_DE.UTF-8") the user's locale for a program started from
// now on, and says whether it could. Where the locale is the user's setting, fixed when the process
// starts (Windows), only the locale the tests were started in can be chosen.
bool chooseUserLocale(const char *name);
// The locale tests run in unless they choose another.
void useDefaultLocale();

// The program starts a 500 ms blink timer. Tests blink the cursor themselves (tick()); where timers run
// on real time (Windows), the program's own timer is stopped so that a slow test sees no extra blink.
void holdBlinkTimer(HWND frame, UINT_PTR timerId);

// Things in the file system that are not regular files, made in `folder` where they must be made: each
// path with the name the program shows for it.
struct NotAFile {
  std::string path;
  std::string name;
};
std::vector<NotAFile> notRegularFiles(const std::string &folder);

}  // namespace platform

#endif
