// Scroll bar values: clamping, the page, the track position, hiding a bar with nothing to scroll.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/message_log.h"

namespace {

SCROLLINFO info(HWND w) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(w, SB_VERT, &si);
  return si;
}

int set(HWND w, UINT mask, int min, int max, UINT page, int pos) {
  SCROLLINFO si{sizeof si, mask, min, max, page, pos, 0};
  return SetScrollInfo(w, SB_VERT, &si, TRUE);
}

TEST(ScrollBar, APositionOutsideTheRangeIsStoredAsTheNearestBound) {
  MessageLog log;
  HWND parent = log.createTopLevel();
  HWND w = log.createChild(parent, WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 100);
  EXPECT_EQ(info(w).nMax, 100);  // the range a new bar has
  EXPECT_EQ(set(w, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 39, 24, 100), 16);
  EXPECT_EQ(set(w, SIF_POS, 0, 0, 0, -5), 0);
  EXPECT_EQ(set(w, SIF_POS, 0, 0, 0, 16), 16);
  EXPECT_EQ(set(w, SIF_PAGE, 0, 0, 30, 0), 10);  // a larger page pulls the position back
  EXPECT_EQ(info(w).nPos, 10);
  EXPECT_EQ(info(w).nTrackPos, 10);
}

TEST(ScrollBar, PositionsBeyondSixteenBitsAreKept) {
  MessageLog log;
  HWND parent = log.createTopLevel();
  HWND w = log.createChild(parent, WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 100);
  EXPECT_EQ(set(w, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1048575, 24, 1048000), 1048000);
  EXPECT_EQ(set(w, SIF_POS, 0, 0, 0, 2000000), 1048552);
}

TEST(ScrollBar, ABarWithNothingToScrollIsHiddenAndTheClientWidens) {
  MessageLog log;
  HWND parent = log.createTopLevel();
  HWND w = log.createChild(parent, WS_VISIBLE | WS_VSCROLL, 0, 0, 200, 100);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 200 - 17);
  log.clear();
  set(w, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 6, 24, 0);
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(log.of(w, {WM_SIZE}).size(), 1u);
  EXPECT_EQ(info(w).nPage, 7u);  // the page never exceeds the range
  set(w, SIF_PAGE, 0, 0, 2, 0);  // a page alone never brings the bar back
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 200);
  set(w, SIF_RANGE | SIF_PAGE, 0, 60, 24, 0);
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 200 - 17);
}

}  // namespace
