// Timers on the headless clock.
#include <gtest/gtest.h>
#include <windows.h>

#include "backend/driver.h"
#include "support/message_log.h"

namespace {

int ticksAfter(MessageLog &log, HWND w, uint64_t ms) {
  log.clear();
  win32::backend::advanceHeadlessClock(ms);
  MessageLog::pump();
  return int(log.of(w, {WM_TIMER}).size());
}

TEST(Timer, FiresOnTheClockAndNeverPilesUp) {
  MessageLog log;
  HWND w = log.createTopLevel();
  EXPECT_NE(SetTimer(w, 1, 500, nullptr), 0u);
  EXPECT_EQ(ticksAfter(log, w, 499), 0);
  EXPECT_EQ(ticksAfter(log, w, 1), 1);
  EXPECT_EQ(ticksAfter(log, w, 400), 0);
  EXPECT_EQ(ticksAfter(log, w, 100), 1);
  EXPECT_EQ(ticksAfter(log, w, 5000), 1);  // a late timer delivers one tick, not ten
  EXPECT_TRUE(KillTimer(w, 1));
  EXPECT_EQ(ticksAfter(log, w, 5000), 0);
  EXPECT_FALSE(KillTimer(w, 1));
}

TEST(Timer, SettingTheSameTimerAgainRestartsIt) {
  MessageLog log;
  HWND w = log.createTopLevel();
  SetTimer(w, 1, 500, nullptr);
  win32::backend::advanceHeadlessClock(400);
  SetTimer(w, 1, 500, nullptr);
  EXPECT_EQ(ticksAfter(log, w, 400), 0);
  EXPECT_EQ(ticksAfter(log, w, 100), 1);
  KillTimer(w, 1);
}

TEST(Timer, DestroyingTheWindowStopsItsTimers) {
  MessageLog log;
  HWND w = log.createTopLevel();
  SetTimer(w, 3, 100, nullptr);
  DestroyWindow(w);
  win32::backend::advanceHeadlessClock(1000);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

}  // namespace
