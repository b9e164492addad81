// Input from the desktop that only the stand-in's backend can make: the keyboard going to another
// program and coming back.
#include <gtest/gtest.h>
#include <windows.h>

#include "backend/driver.h"
#include "support/message_log.h"
#include "user32/window.h"

namespace {

using win32::backend::Event;
using win32::backend::EventType;

void inject(EventType type, HWND from, int vk = 0, uint32_t mods = 0) {
  Event e;
  e.type = type;
  e.window = win32::findWindow(from, false)->top->native;
  e.vk = vk;
  e.mods = mods;
  win32::backend::injectHeadlessEvent(e);
}

TEST(Input, LosingTheKeyboardToAnotherProgramDeactivatesUntilItComesBack) {
  MessageLog log;
  HWND frame = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetActiveWindow(frame);
  SetFocus(frame);
  log.clear();
  inject(EventType::KeyDown, frame, VK_SHIFT, win32::backend::ModShift);
  inject(EventType::FocusLost, frame);
  MessageLog::pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);  // the keys stay as the program last saw them

  // Shift was let go in the other program: the modifiers are read again, after the keys before them.
  inject(EventType::FocusGained, frame);
  MessageLog::pump();
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_EQ(GetFocus(), frame);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
  EXPECT_EQ(log.of(frame, {WM_ACTIVATE}).size(), 2u);
}

}  // namespace
