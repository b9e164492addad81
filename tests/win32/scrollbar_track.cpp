// The scroll bar under a real mouse: arrows and page areas repeat while held, the thumb drags with a
// 32-bit track position, and every press ends with SB_ENDSCROLL.
#include <gtest/gtest.h>
#include <algorithm>
#include <windows.h>

#include "support/message_log.h"
#include "support/platform.h"

namespace {

using platform::Mouse;

struct Bar {
  MessageLog log;
  HWND top = nullptr, child = nullptr;
  std::vector<WPARAM> codes;  // every WM_VSCROLL the child received
  std::vector<int> trackPositions;

  Bar(int max, UINT page) {
    top = log.createTopLevel(WS_POPUP | WS_VISIBLE, 200, 300);
    child = log.createChild(top, WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 217);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, max, page, 0, 0};
    SetScrollInfo(child, SB_VERT, &si, TRUE);
    log.handler = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT &result) {
      if (hwnd != child || message != WM_VSCROLL) return false;
      codes.push_back(LOWORD(wParam));
      SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
      GetScrollInfo(child, SB_VERT, &info);
      int pos = info.nPos;
      if (LOWORD(wParam) == SB_LINEDOWN) pos += 1;
      if (LOWORD(wParam) == SB_LINEUP) pos -= 1;
      if (LOWORD(wParam) == SB_PAGEDOWN) pos += int(info.nPage);
      if (LOWORD(wParam) == SB_THUMBTRACK) {
        trackPositions.push_back(info.nTrackPos);
        pos = info.nTrackPos;
      }
      info.fMask = SIF_POS;
      info.nPos = pos;
      SetScrollInfo(child, SB_VERT, &info, TRUE);
      result = 0;
      return true;
    };
    MessageLog::pump();
  }

  // Real mouse input at a point of the top-level window, whose client area the child fills from its corner.
  void mouse(Mouse action, int x, int y) {
    POINT at{x, y};
    ClientToScreen(top, &at);
    platform::mouse(action, at);
  }
  // The bar is the rightmost 17 pixels of the child, 217 pixels high: arrows of 17 at each end.
  static constexpr int x = 100 - 8;
  int position() const { return GetScrollPos(child, SB_VERT); }
  size_t count(WPARAM code) const { return size_t(std::count(codes.begin(), codes.end(), code)); }
};

TEST(ScrollBarMouse, AnArrowHeldRepeatsUntilReleased) {
  Bar bar(100, 10);
  bar.mouse(Mouse::Press, Bar::x, 217 - 5);
  bar.mouse(Mouse::Release, Bar::x, 217 - 5);  // waits in the queue behind the timer's repeats
  // The tracking loop runs inside the dispatch of the press; the release ends it.
  MessageLog::pump();
  EXPECT_EQ(bar.count(SB_LINEDOWN), 1u);
  EXPECT_EQ(bar.codes.back(), WPARAM(SB_ENDSCROLL));
  EXPECT_EQ(bar.position(), 1);
}

TEST(ScrollBarMouse, RepeatsWhileHeld) {
  Bar bar(100, 10);
  bar.mouse(Mouse::Press, Bar::x, 217 - 5);
  // The press runs the bar's own loop, which repeats on its timers; a timer of our own releases the button
  // after a second.
  static Bar *current = &bar;
  SetTimer(nullptr, 0, 1000, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    current->mouse(Mouse::Release, Bar::x, 217 - 5);
  });
  MessageLog::pump();
  // 200 ms before the first repeat, then one every 50 ms: about 17 in a second.
  EXPECT_GE(bar.count(SB_LINEDOWN), 15u);
  EXPECT_LE(bar.count(SB_LINEDOWN), 19u);
  EXPECT_EQ(bar.count(SB_ENDSCROLL), 1u);
}

TEST(ScrollBarMouse, ThePageAreaStopsRepeatingWhenTheThumbReachesThePointer) {
  Bar bar(100, 10);
  bar.mouse(Mouse::Press, Bar::x, 150);  // below the thumb, two thirds down
  static Bar *current = &bar;
  SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    current->mouse(Mouse::Release, Bar::x, 150);
  });
  MessageLog::pump();
  EXPECT_GE(bar.count(SB_PAGEDOWN), 2u);
  int pos = bar.position();
  EXPECT_GT(pos, 40);
  EXPECT_LT(pos, 91);  // the thumb stopped under the pointer, not at the end
}

TEST(ScrollBarMouse, DraggingTheThumbTracksInThirtyTwoBits) {
  Bar bar(124999, 24);
  bar.mouse(Mouse::Press, Bar::x, 17 + 2);  // the thumb sits at the top of the track
  bar.mouse(Mouse::Move, Bar::x, 120);
  bar.mouse(Mouse::Move, Bar::x, 240);     // below the bar, still near it: the thumb stops at the end
  bar.mouse(Mouse::Release, Bar::x, 240);
  MessageLog::pump();
  ASSERT_FALSE(bar.trackPositions.empty());
  EXPECT_EQ(bar.trackPositions.back(), 124976);
  EXPECT_EQ(bar.position(), 124976);
  ASSERT_GE(bar.codes.size(), 3u);
  EXPECT_EQ(bar.codes[bar.codes.size() - 2], WPARAM(SB_THUMBPOSITION));
  EXPECT_EQ(bar.codes.back(), WPARAM(SB_ENDSCROLL));
}

}  // namespace
