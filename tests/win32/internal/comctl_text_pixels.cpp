// The stand-in's own drawing of the texts of the common controls, to the pixel: Unifont's full block
// fills its whole 8 × 16 cell, so where a text starts and ends shows exactly. (The portable tests check
// what every font shows: the margins stay clear and the text is drawn inside them.)
#include <gtest/gtest.h>

#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;

constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(StandInTextPixels, StatusBarPartTextStartsThreePixelsInsideTheEdge) {
  HWND parent = createParent();
  HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, 2);
  int edges[] = {200, -1};
  ASSERT_EQ(SendMessageA(bar, SB_SETPARTS, 2, LPARAM(edges)), TRUE);
  SendMessageA(bar, SB_SETTEXTA, 1, LPARAM("█"));
  pump();
  RECT r;
  SendMessageA(bar, SB_GETRECT, 1, LPARAM(&r));
  int middle = (r.top + r.bottom) / 2;
  EXPECT_EQ(pixel(bar, r.left + 3, middle), face());
  EXPECT_EQ(pixel(bar, r.left + 4, middle), kBlack);
  EXPECT_EQ(pixel(bar, r.left + 11, middle), kBlack);
  EXPECT_EQ(pixel(bar, r.left + 12, middle), face());
  DestroyWindow(parent);
}

TEST(StandInTextPixels, TooltipTextFillsItsAreaInsideTheMargin) {
  HWND parent = createParent();
  HWND toolbar = createProgramToolbar(parent);
  HWND tip = HWND(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  parentLog().tipText = "██";
  moveTo(toolbar, centreOf(itemRect(toolbar, 0)));
  wait(kTipDelay);
  ASSERT_TRUE(IsWindowVisible(tip));
  RECT r;
  GetWindowRect(tip, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const COLORREF infoBk = GetSysColor(COLOR_INFOBK);
  EXPECT_EQ(screen::windowPixel(tip, 0, 0), kBlack) << "the frame is black here";
  EXPECT_EQ(screen::windowPixel(tip, 3, 3), kBlack);
  EXPECT_EQ(screen::windowPixel(tip, width - 4, height - 4), kBlack);
  EXPECT_EQ(screen::windowPixel(tip, width - 3, height - 3), infoBk);
  DestroyWindow(parent);
}

}  // namespace
