// user32: timers. A timer that fell behind delivers one WM_TIMER, never a burst.
#include "user32/timer.h"

#include <vector>

#include "backend/driver.h"
#include "user32/window.h"

namespace win32 {
namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT interval;
  TIMERPROC proc;
  uint64_t due;
};

std::vector<Timer> &timers() {
  static std::vector<Timer> all;
  return all;
}

}  // namespace

bool takeDueTimer(HWND filter, UINT min, UINT max, bool remove, MSG &out) {
  if (!(min == 0 && max == 0) && (WM_TIMER < min || WM_TIMER > max)) return false;
  uint64_t now = backend::driver().now();
  Timer *best = nullptr;
  for (Timer &t : timers())
    if (t.due <= now && (!filter || t.hwnd == filter) && (!best || t.due < best->due)) best = &t;
  if (!best) return false;
  out = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), 0, {}};
  if (remove) {
    best->due += best->interval;
    if (best->due <= now) best->due = now + best->interval;
  }
  return true;
}

uint64_t nextTimerDeadline() {
  uint64_t next = UINT64_MAX;
  for (const Timer &t : timers())
    if (t.due < next) next = t.due;
  return next;
}

void killTimersOf(HWND hwnd) {
  auto &all = timers();
  std::erase_if(all, [hwnd](const Timer &t) { return t.hwnd == hwnd; });
}

}  // namespace win32

using namespace win32;

extern "C" {

// Setting a timer that exists (same window and identifier) restarts it with the new period.
UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd && !findWindow(hwnd)) return 0;
  if (elapse < 10) elapse = 10;  // USER_TIMER_MINIMUM
  if (elapse > 0x7FFFFFFF) elapse = 0x7FFFFFFF;
  if (!hwnd) {
    static UINT_PTR nextId = 0x7FFF0000;
    id = nextId++;
  }
  uint64_t due = backend::driver().now() + elapse;
  for (Timer &t : timers())
    if (t.hwnd == hwnd && t.id == id) {
      t = Timer{hwnd, id, elapse, proc, due};
      return hwnd ? 1 : id;
    }
  timers().push_back(Timer{hwnd, id, elapse, proc, due});
  return hwnd ? 1 : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  auto &all = timers();
  auto before = all.size();
  std::erase_if(all, [&](const Timer &t) { return t.hwnd == hwnd && t.id == id; });
  return all.size() != before;
}

}  // extern "C"
