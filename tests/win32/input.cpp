// Input from the desktop: keys reach the focus whichever desktop window they came from, a click on an
// inactive window activates it and is delivered, and losing the keyboard to another program deactivates.
#include <gtest/gtest.h>
#include <windows.h>

#include "backend/driver.h"
#include "support/message_log.h"
#include "user32/window.h"

namespace {

using win32::backend::Event;
using win32::backend::EventType;

win32::backend::NativeId nativeOf(HWND hwnd) { return win32::findWindow(hwnd, false)->top->native; }

void inject(EventType type, HWND from, int vk = 0, uint32_t mods = 0, int x = 0, int y = 0) {
  Event e;
  e.type = type;
  e.window = nativeOf(from);
  e.vk = vk;
  e.mods = mods;
  e.x = x;
  e.y = y;
  e.button = 1;
  if (type == EventType::Text) e.text[0] = char(vk);
  win32::backend::injectHeadlessEvent(e);
}

struct Desktop {
  MessageLog log;
  HWND frame = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND other = log.createTopLevel(WS_POPUP | WS_CAPTION | WS_VISIBLE);
  HWND field = log.createChild(other, WS_VISIBLE, 0, 0, 50, 20);

  std::vector<LoggedMessage> keysOf(HWND hwnd) const {
    std::vector<LoggedMessage> keys;
    for (const LoggedMessage &m : log.messages)
      if (m.hwnd == hwnd && m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) keys.push_back(m);
    return keys;
  }
};

// Keys typed ahead while the desktop still shows another window as the one with the keyboard go where the
// program has put the focus by the time it reads them.
TEST(Input, KeysReachTheFocusWhicheverDesktopWindowTheyCameFrom) {
  Desktop d;
  SetFocus(d.field);
  d.log.clear();
  inject(EventType::KeyDown, d.frame, 'A');
  inject(EventType::Text, d.frame, 'a');
  inject(EventType::KeyUp, d.frame, 'A');
  inject(EventType::KeyDown, d.frame, 'N', win32::backend::ModAlt);
  MessageLog::pump();
  auto keys = d.keysOf(d.field);
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0].message, UINT(WM_KEYDOWN));
  EXPECT_EQ(keys[1].message, UINT(WM_CHAR));
  EXPECT_EQ(keys[1].wParam, WPARAM('a'));
  EXPECT_EQ(keys[2].message, UINT(WM_KEYUP));
  EXPECT_EQ(keys[3].message, UINT(WM_SYSKEYDOWN));
  EXPECT_EQ(keys[4].message, UINT(WM_SYSCHAR));
  EXPECT_TRUE(d.keysOf(d.frame).empty());

  // With no focus the active window gets every key as a system key; a disabled one gets none.
  SetFocus(nullptr);
  d.log.clear();
  inject(EventType::KeyDown, d.frame, 'B');
  MessageLog::pump();
  ASSERT_FALSE(d.keysOf(GetActiveWindow()).empty());
  EXPECT_EQ(d.keysOf(GetActiveWindow())[0].message, UINT(WM_SYSKEYDOWN));
  EnableWindow(GetActiveWindow(), FALSE);
  d.log.clear();
  inject(EventType::KeyDown, d.frame, 'C');
  MessageLog::pump();
  EXPECT_TRUE(d.keysOf(d.frame).empty() && d.keysOf(d.other).empty());
}

// WM_MOUSEACTIVATE decides: the activating answers activate (WA_CLICKACTIVE), the eating ones keep the
// press from the window, and the window is asked before it is activated or clicked.
TEST(Input, AClickOnAnInactiveWindowAsksItThenActivatesAndDelivers) {
  struct Case {
    LRESULT answer;
    bool activated, delivered;
  } cases[] = {{MA_ACTIVATE, true, true},
               {MA_ACTIVATEANDEAT, true, false},
               {MA_NOACTIVATE, false, true},
               {MA_NOACTIVATEANDEAT, false, false}};
  for (const Case &c : cases) {
    Desktop d;
    SetActiveWindow(d.other);
    d.log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT &result) {
      if (hwnd != d.frame || message != WM_MOUSEACTIVATE) return false;
      result = c.answer;
      return true;
    };
    d.log.clear();
    inject(EventType::MouseDown, d.frame, 0, 0, 40, 40);
    MessageLog::pump();
    EXPECT_EQ(GetActiveWindow() == d.frame, c.activated) << c.answer;
    auto seen = d.log.of(d.frame, {WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN});
    std::vector<UINT> expected{WM_MOUSEACTIVATE};
    if (c.activated) expected.push_back(WM_ACTIVATE);
    if (c.delivered) expected.push_back(WM_LBUTTONDOWN);
    EXPECT_EQ(seen, expected) << c.answer;
    for (const LoggedMessage &m : d.log.messages) {
      if (m.hwnd == d.frame && m.message == WM_ACTIVATE) {
        EXPECT_EQ(LOWORD(m.wParam), WA_CLICKACTIVE);
      }
    }
  }
}

TEST(Input, LosingTheKeyboardToAnotherProgramDeactivatesUntilItComesBack) {
  Desktop d;
  SetActiveWindow(d.frame);
  SetFocus(d.frame);
  d.log.clear();
  inject(EventType::KeyDown, d.frame, VK_SHIFT, win32::backend::ModShift);
  inject(EventType::FocusLost, d.frame);
  MessageLog::pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);  // the keys stay as the program last saw them

  // Shift was let go in the other program: the modifiers are read again, after the keys before them.
  Event back;
  back.type = EventType::FocusGained;
  back.window = nativeOf(d.frame);
  win32::backend::injectHeadlessEvent(back);
  MessageLog::pump();
  EXPECT_EQ(GetActiveWindow(), d.frame);
  EXPECT_EQ(GetFocus(), d.frame);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
  EXPECT_EQ(d.log.of(d.frame, {WM_ACTIVATE}).size(), 2u);
}

}  // namespace
