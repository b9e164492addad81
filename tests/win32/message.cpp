// The message queue: the order of posted, paint and timer messages; sent messages nest.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/message_log.h"
#include "support/wine.h"

namespace {

TEST(MessageQueue, PostedThenPaintThenTimer) {
  MessageLog log;
  HWND w = log.createTopLevel();
  ShowWindow(w, SW_SHOW);
  MessageLog::pump();
  SetTimer(w, 7, 100, nullptr);
  Sleep(150);  // the timer is due, but nobody looks at the queue
  InvalidateRect(w, nullptr, TRUE);
  PostMessageA(w, WM_USER, 1, 0);
  PostMessageA(w, WM_USER + 1, 2, 0);
  std::vector<UINT> order;
  MSG msg;
  for (int i = 0; i < 4 && GetMessageA(&msg, w, 0, 0); ++i) {
    order.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_PAINT, WM_TIMER}));
  EXPECT_EQ(msg.wParam, 7u);
  KillTimer(w, 7);
}

TEST(MessageQueue, PaintComesBackUntilTheWindowIsValidated) {
  MessageLog log;
  HWND w = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::pump();
  int paints = 0;
  log.handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT &result) {
    if (message != WM_PAINT) return false;
    result = 0;
    return ++paints < 3;  // the first two are not validated
  };
  InvalidateRect(w, nullptr, FALSE);
  MessageLog::pump();
  EXPECT_EQ(paints, 3);
}

TEST(MessageQueue, QuitEndsGetMessageAfterPostedMessages) {
  MessageLog log;
  HWND w = log.createTopLevel();
  PostMessageA(w, WM_USER, 0, 0);
  PostQuitMessage(42);
  MSG msg;
  EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, UINT(WM_USER));
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
  EXPECT_EQ(msg.wParam, 42u);
}

TEST(SentMessage, IsSynchronousAndReentrant) {
  MessageLog log;
  HWND w = log.createTopLevel();
  std::vector<int> trace;
  log.handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT &result) {
    if (message != WM_USER) return false;
    trace.push_back(int(wParam));
    if (wParam < 3) SendMessageA(hwnd, WM_USER, wParam + 1, 0);
    trace.push_back(-int(wParam));
    result = LRESULT(wParam * 10);
    return true;
  };
  EXPECT_EQ(SendMessageA(w, WM_USER, 1, 0), 10);
  EXPECT_EQ(trace, (std::vector<int>{1, 2, 3, -3, -2, -1}));
}

TEST(SentMessage, ToADestroyedWindowFails) {
  MessageLog log;
  HWND w = log.createTopLevel();
  DestroyWindow(w);
  SetLastError(0);
  EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessageA(w, WM_USER, 0, 0));
  EXPECT_FALSE(IsWindow(w));
}

TEST(TranslateMessage, PostedKeysGiveTheirCharacters) {
  MessageLog log;
  HWND w = log.createTopLevel();
  BYTE keys[256] = {};
  struct Case {
    int vk;
    bool ctrl, shift;
    WPARAM ch;  // 0: no character
  } cases[] = {
      {VK_TAB, false, false, 9},  {VK_RETURN, false, false, 13}, {VK_ESCAPE, false, false, 27},
      {VK_BACK, false, false, 8}, {'A', false, false, 'a'},     {'A', false, true, 'A'},
      {'F', true, false, 6},      {VK_RETURN, true, false, 10},
      // Windows' US layout gives Ctrl+Backspace the DEL character (the VK_BACK row of the kbdus layout
      // in Microsoft's driver samples); Wine gives it the backspace.
      {VK_BACK, true, false, WPARAM(runningUnderWine() ? 8 : 0x7F)},
      {'1', true, false, 0},      {VK_F3, false, false, 0},     {VK_LEFT, false, false, 0},
      {VK_SPACE, false, false, ' '},
  };
  for (const Case &c : cases) {
    keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = c.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    log.clear();
    PostMessageA(w, WM_KEYDOWN, WPARAM(c.vk), 1);
    MessageLog::pump();
    std::vector<WPARAM> chars;
    for (const LoggedMessage &m : log.messages)
      if (m.hwnd == w && m.message == WM_CHAR) chars.push_back(m.wParam);
    EXPECT_EQ(chars, c.ch ? std::vector<WPARAM>{c.ch} : std::vector<WPARAM>{}) << c.vk;
  }
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

TEST(KeyState, FollowsTheKeyboardStateButNotPostedKeys) {
  MessageLog log;
  HWND w = log.createTopLevel();
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  PostMessageA(w, WM_KEYDOWN, 'Q', 1);
  MessageLog::pump();
  EXPECT_EQ(GetKeyState('Q'), 0);
}

}  // namespace
