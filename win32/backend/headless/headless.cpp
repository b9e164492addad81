// backend: the headless driver.
#include "backend/headless/headless.h"

#include <cstdio>
#include <cstdlib>

namespace win32::backend {

bool HeadlessDriver::waitEvent(Event &event, int64_t) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

// With nothing to do, time passes at once to the next deadline: a test never waits for a timer. A loop
// with no deadline at all would wait forever, which in a test is always a mistake.
void HeadlessDriver::idleUntil(uint64_t deadline) {
  if (deadline == UINT64_MAX) {
    std::fputs("headless: a message loop is waiting with no timer and no input; nothing can ever wake it\n",
               stderr);
    std::abort();
  }
  if (deadline > clock_) clock_ = deadline;
}

}  // namespace win32::backend
