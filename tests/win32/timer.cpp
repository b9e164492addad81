// Timers: due on the clock, one tick however late the thread looks, restarted by setting them again.
// Where real time passes (Windows), a timer fires up to screen::timerSlack() after it is due; each wait
// is stretched or cut by that much so that what it expects holds whichever way the slack falls.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/message_log.h"
#include "support/platform_screen.h"

namespace {

// The ticks `w` receives while the thread handles its messages for `ms` milliseconds.
int ticksWaiting(MessageLog &log, HWND w, unsigned ms) {
  log.clear();
  screen::wait(ms);
  return int(log.of(w, {WM_TIMER}).size());
}

// The ticks waiting for `w` after the thread has not looked at its queue for `ms` milliseconds.
int ticksAfterSleeping(MessageLog &log, HWND w, unsigned ms) {
  log.clear();
  Sleep(ms);
  MessageLog::pump();
  return int(log.of(w, {WM_TIMER}).size());
}

TEST(Timer, FiresOnTheClockAndNeverPilesUp) {
  const unsigned slack = screen::timerSlack();
  MessageLog log;
  HWND w = log.createTopLevel();
  EXPECT_NE(SetTimer(w, 1, 500, nullptr), 0u);
  // Up to 499 ms, 500 ms, 900 ms and 1000 ms after it was set (less or more by the slack).
  EXPECT_EQ(ticksWaiting(log, w, 499 - slack), 0);
  EXPECT_EQ(ticksWaiting(log, w, 1 + 2 * slack), 1);
  EXPECT_EQ(ticksWaiting(log, w, 400 - 2 * slack), 0);
  EXPECT_EQ(ticksWaiting(log, w, 100 + 2 * slack), 1);
  EXPECT_EQ(ticksAfterSleeping(log, w, 2000), 1);  // a late timer delivers one tick, not four
  EXPECT_TRUE(KillTimer(w, 1));
  EXPECT_EQ(ticksAfterSleeping(log, w, 1000), 0);
  EXPECT_FALSE(KillTimer(w, 1));
}

TEST(Timer, SettingTheSameTimerAgainRestartsIt) {
  const unsigned slack = screen::timerSlack();
  MessageLog log;
  HWND w = log.createTopLevel();
  SetTimer(w, 1, 500, nullptr);
  Sleep(400);
  SetTimer(w, 1, 500, nullptr);
  EXPECT_EQ(ticksWaiting(log, w, 400 - slack), 0);
  EXPECT_EQ(ticksWaiting(log, w, 100 + 2 * slack), 1);
  KillTimer(w, 1);
}

TEST(Timer, DestroyingTheWindowStopsItsTimers) {
  MessageLog log;
  HWND w = log.createTopLevel();
  SetTimer(w, 3, 100, nullptr);
  DestroyWindow(w);
  Sleep(200);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

}  // namespace
