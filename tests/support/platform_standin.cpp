// The test platform on Linux: the stand-in's beep counter, its headless desktop and POSIX files.
#include "support/platform.h"

#include <sys/stat.h>

#include <cstdlib>

#include "backend/driver.h"
#include "user32/beep.h"
#include "user32/window.h"

namespace platform {

int beepCount() { return win32::beepCount(); }

// The headless desktop takes events in the coordinates of the top-level window's drawable, which is the
// top-level window's rectangle. Like a real desktop, it sends the moves and the release that follow a
// press to the window that was pressed, wherever the pointer goes.
void mouse(Mouse action, POINT screen) {
  static HWND pressed = nullptr;
  if (action == Mouse::Press) {
    HWND hwnd = WindowFromPoint(screen);
    win32::Window *window = hwnd ? win32::findWindow(hwnd, false) : nullptr;
    while (window && window->parent) window = win32::findWindow(window->parent, false);
    pressed = window && window->top ? window->handle : nullptr;
  }
  win32::Window *window = pressed ? win32::findWindow(pressed, false) : nullptr;
  if (!window || !window->top) return;
  RECT top;
  GetWindowRect(pressed, &top);
  win32::backend::Event e;
  e.type = action == Mouse::Press     ? win32::backend::EventType::MouseDown
           : action == Mouse::Release ? win32::backend::EventType::MouseUp
                                      : win32::backend::EventType::MouseMove;
  e.window = window->top->native;
  e.x = screen.x - top.left;
  e.y = screen.y - top.top;
  e.button = 1;
  win32::backend::injectHeadlessEvent(e);
  if (action == Mouse::Release) pressed = nullptr;
}

bool chooseUserLocale(const char *name) { return setenv("LC_ALL", name, 1) == 0; }

void useDefaultLocale() { setenv("LC_ALL", "C.UTF-8", 1); }

// The headless clock stands still unless a test moves it: the program's timer never fires by itself.
void holdBlinkTimer(HWND, UINT_PTR) {}

std::vector<NotAFile> notRegularFiles(const std::string &folder) {
  std::string fifo = folder + "/pipe";
  mkfifo(fifo.c_str(), 0600);
  return {{fifo, "pipe"}, {"/dev/zero", "zero"}};
}

}  // namespace platform
