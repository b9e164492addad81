// The test platform on Linux: the stand-in's beep counter, its headless desktop and POSIX files.
#include "support/platform.h"

#include <sys/stat.h>

#include <cstdlib>

#include "backend/driver.h"
#include "user32/beep.h"
#include "user32/window.h"

namespace platform {

int beepCount() { return win32::beepCount(); }

namespace {

win32::Window *topLevel(HWND hwnd) {
  win32::Window *w = hwnd ? win32::findWindow(hwnd, false) : nullptr;
  w = w ? win32::topLevelOf(w) : nullptr;
  return w && w->top ? w : nullptr;
}

// A press is the second click of a double click when it follows the last one within the double-click
// time and rectangle, as the desktop counts them.
int clickCount(POINT at) {
  static DWORD lastTime = 0;
  static POINT last{-1000, -1000};
  static int count = 0;
  DWORD now = GetTickCount();
  bool near = std::abs(at.x - last.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
              std::abs(at.y - last.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  count = near && count == 1 && now - lastTime <= GetDoubleClickTime() ? 2 : 1;
  lastTime = now;
  last = at;
  return count;
}

void send(win32::backend::EventType type, const win32::Window &top, POINT at, int clicks = 1) {
  win32::backend::Event e;
  e.type = type;
  e.window = top.top->native;
  e.x = at.x - top.rect.left;
  e.y = at.y - top.rect.top;
  e.button = 1;
  e.clicks = clicks;
  win32::backend::injectHeadlessEvent(e);
}

}  // namespace

// The headless desktop takes events in the coordinates of a top-level window's drawable, which is that
// window's rectangle. Like a real desktop, it sends them to the top-level window under the pointer, or,
// while the button is held or a window has the capture, to the window that holds the mouse; the window
// the pointer leaves is told so.
void mouse(Mouse action, POINT screen) {
  static HWND pressed = nullptr, under = nullptr;
  win32::Window *target = topLevel(GetCapture());
  if (!target) target = topLevel(pressed);
  if (!target) target = topLevel(WindowFromPoint(screen));
  if (win32::Window *left = topLevel(under); left && left != target)
    send(win32::backend::EventType::MouseLeave, *left, screen);
  under = target ? target->handle : nullptr;
  if (action == Mouse::Press) pressed = under;
  if (action == Mouse::Release) pressed = nullptr;
  if (target)
    send(action == Mouse::Press     ? win32::backend::EventType::MouseDown
         : action == Mouse::Release ? win32::backend::EventType::MouseUp
                                    : win32::backend::EventType::MouseMove,
         *target, screen, action == Mouse::Press ? clickCount(screen) : 1);
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
