// Input from the desktop: keys reach the focus, else the active window as system keys, and a click on an
// inactive window asks it, then activates it and is delivered.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"

namespace {

struct Desktop {
  MessageLog log;
  HWND frame = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND other = log.createTopLevel(WS_POPUP | WS_CAPTION | WS_VISIBLE);
  HWND field = log.createChild(other, WS_VISIBLE, 0, 0, 50, 20);

  // Side by side, so that a click lands on the window it is meant for.
  Desktop() {
    SetWindowPos(other, nullptr, 350, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    MessageLog::pump();
  }

  // The key messages of `hwnd`, the modifier keys' own left out.
  std::vector<LoggedMessage> keysOf(HWND hwnd) const {
    std::vector<LoggedMessage> keys;
    for (const LoggedMessage &m : log.messages)
      if (m.hwnd == hwnd && m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && m.wParam != VK_MENU)
        keys.push_back(m);
    return keys;
  }
};

TEST(Input, KeysReachTheFocusElseTheActiveWindowAsSystemKeys) {
  Desktop d;
  SetFocus(d.field);
  MessageLog::pump();
  d.log.clear();
  screen::pressKey(VK_RETURN);
  screen::pressKeys({VK_MENU, 'N'});
  MessageLog::pump();
  auto keys = d.keysOf(d.field);
  ASSERT_EQ(keys.size(), 6u);
  EXPECT_EQ(keys[0].message, UINT(WM_KEYDOWN));
  EXPECT_EQ(keys[1].message, UINT(WM_CHAR));
  EXPECT_EQ(keys[1].wParam, WPARAM('\r'));
  EXPECT_EQ(keys[2].message, UINT(WM_KEYUP));
  EXPECT_EQ(keys[3].message, UINT(WM_SYSKEYDOWN));
  EXPECT_EQ(keys[4].message, UINT(WM_SYSCHAR));
  EXPECT_EQ(keys[4].wParam, WPARAM('n'));
  EXPECT_EQ(keys[5].message, UINT(WM_SYSKEYUP));
  EXPECT_TRUE(d.keysOf(d.frame).empty());

  // With no focus the active window gets every key as a system key; a disabled one gets none.
  SetFocus(nullptr);
  ASSERT_EQ(GetActiveWindow(), d.other);
  d.log.clear();
  screen::pressKey('B');
  MessageLog::pump();
  ASSERT_FALSE(d.keysOf(d.other).empty());
  EXPECT_EQ(d.keysOf(d.other)[0].message, UINT(WM_SYSKEYDOWN));
  EnableWindow(d.other, FALSE);
  d.log.clear();
  screen::pressKey('C');
  MessageLog::pump();
  // EnableWindow's documentation: a disabled window "does not receive input such as mouse clicks and
  // key presses". Wine still gives the active window its keys when it is disabled.
  EXPECT_EQ(d.keysOf(d.other).empty(), !runningUnderWine());
  EXPECT_TRUE(d.keysOf(d.frame).empty());
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
    MessageLog::pump();
    d.log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT &result) {
      if (hwnd != d.frame || message != WM_MOUSEACTIVATE) return false;
      result = c.answer;
      return true;
    };
    d.log.clear();
    POINT at{40, 40};
    ClientToScreen(d.frame, &at);
    screen::pointer(screen::Pointer::Press, at);
    EXPECT_EQ(GetActiveWindow() == d.frame, c.activated) << c.answer;
    auto seen = d.log.of(d.frame, {WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN});
    screen::pointer(screen::Pointer::Release, at);
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

}  // namespace
