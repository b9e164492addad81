// Toolbar tooltips: the hover delay, the text request to the toolbar's parent, placement and look.
#include <gtest/gtest.h>

#include "gdi32/font.h"
#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;
using win32::backend::EventType;

class Tooltip : public testing::Test {
 protected:
  void SetUp() override {
    parent = createParent();
    toolbar = createProgramToolbar(parent);
    ASSERT_NE(toolbar, nullptr);
    tip = HWND(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tip, nullptr);
  }
  void TearDown() override { DestroyWindow(parent); }

  POINT centre(int index) { return centreOf(itemRect(toolbar, index)); }
  size_t requests() { return parentLog().tipRequests.size(); }

  HWND parent = nullptr, toolbar = nullptr, tip = nullptr;
};

TEST_F(Tooltip, AppearsWhenThePointerRestsHalfASecond) {
  moveTo(toolbar, centre(9));
  advance(499);
  EXPECT_EQ(requests(), 0u);
  EXPECT_FALSE(IsWindowVisible(tip));
  advance(1);
  ASSERT_EQ(requests(), 1u);
  const TipRequest &r = parentLog().tipRequests[0];
  EXPECT_EQ(r.hdr.code, TTN_NEEDTEXTA);
  EXPECT_EQ(r.hdr.idFrom, UINT_PTR(IDM_ABOUT));
  EXPECT_EQ(r.hdr.hwndFrom, tip);
  EXPECT_EQ(r.wParam, WPARAM(IDM_ABOUT));
  EXPECT_TRUE(r.pointedAtBuffer);
  EXPECT_TRUE(IsWindowVisible(tip));
  advance(2000);
  EXPECT_EQ(requests(), 1u) << "asked once per appearance";
}

TEST_F(Tooltip, EachButtonAsksWithItsCommand) {
  const int commands[] = {IDM_OPEN, IDM_SAVE, IDM_EXIT, 0, IDM_REVERT, 0, IDM_FIND, IDM_GOTO, 0, IDM_ABOUT};
  for (int i = 0; i < kProgramButtonCount; ++i) {
    parentLog().tipRequests.clear();
    moveTo(toolbar, centre(i));
    advance(500);
    if (commands[i] == 0) {
      EXPECT_EQ(requests(), 0u) << "separator " << i;
      EXPECT_FALSE(IsWindowVisible(tip)) << i;
      continue;
    }
    ASSERT_EQ(requests(), 1u) << i;
    EXPECT_EQ(parentLog().tipRequests[0].hdr.idFrom, UINT_PTR(commands[i])) << "greyed buttons have tips too";
    EXPECT_TRUE(IsWindowVisible(tip)) << i;
  }
}

TEST_F(Tooltip, MovingStartsTheDelayAgain) {
  moveTo(toolbar, centre(0));
  advance(300);
  moveTo(toolbar, POINT{centre(0).x + 2, centre(0).y});
  advance(300);
  EXPECT_EQ(requests(), 0u);
  advance(200);
  EXPECT_EQ(requests(), 1u);
}

TEST_F(Tooltip, TextSources) {
  struct Case {
    ParentLog::Answer answer;
    std::string text;
    bool shown;
  } cases[] = {{ParentLog::Answer::IntoBuffer, "打开", true},
               {ParentLog::Answer::OwnPointer, "撤销 (Ctrl-Z)", true},
               {ParentLog::Answer::OwnPointer, std::string(200, 'x'), true},
               {ParentLog::Answer::Nothing, "", false}};
  for (const Case &c : cases) {
    parentLog().answer = c.answer;
    parentLog().tipText = c.text;
    moveTo(toolbar, centre(0));
    advance(500);
    EXPECT_EQ(IsWindowVisible(tip), c.shown) << c.text;
    RECT r;
    GetWindowRect(tip, &r);
    if (c.shown) {
      EXPECT_EQ(r.right - r.left, win32::font::textWidth(c.text) + 6) << c.text;
    }
    moveTo(parent, POINT{10, 200});
    EXPECT_FALSE(IsWindowVisible(tip)) << c.text;
  }
}

// The tip's frame sits one pixel left of the pointer and its text area 20 pixels below it: one
// border, two pixels of margin and the 16-pixel font high.
TEST_F(Tooltip, PlacedBelowThePointer) {
  parentLog().tipText = "关于";
  POINT at = centre(9);
  moveTo(toolbar, at);
  advance(500);
  ClientToScreen(toolbar, &at);
  RECT r;
  GetWindowRect(tip, &r);
  EXPECT_EQ(r.left, at.x - 1);
  EXPECT_EQ(r.top, at.y + 19);
  EXPECT_EQ(r.right - r.left, 32 + 6);
  EXPECT_EQ(r.bottom - r.top, 16 + 6);
}

TEST_F(Tooltip, DrawnOnTheInfoColourInABlackFrame) {
  parentLog().tipText = "██";
  moveTo(toolbar, centre(0));
  advance(500);
  pump();
  RECT r;
  GetClientRect(tip, &r);
  const COLORREF infoBk = GetSysColor(COLOR_INFOBK);
  for (POINT p : {POINT{0, 0}, POINT{r.right - 1, r.bottom - 1}, POINT{0, r.bottom - 1}, POINT{10, 0}})
    EXPECT_EQ(pixel(tip, p.x, p.y), kBlack) << p.x << "," << p.y;
  EXPECT_EQ(pixel(tip, 1, 1), infoBk);
  EXPECT_EQ(pixel(tip, 2, 10), infoBk);
  EXPECT_EQ(pixel(tip, 3, 3), kBlack) << "the text starts inside the margin";
  EXPECT_EQ(pixel(tip, r.right - 4, r.bottom - 4), kBlack);
  EXPECT_EQ(pixel(tip, r.right - 3, r.bottom - 3), infoBk);
}

TEST_F(Tooltip, HiddenWhenThePointerLeavesTheToolbar) {
  moveTo(toolbar, centre(0));
  advance(500);
  ASSERT_TRUE(IsWindowVisible(tip));
  moveTo(parent, POINT{10, 200});
  EXPECT_FALSE(IsWindowVisible(tip));
  advance(1000);
  EXPECT_EQ(requests(), 1u);
}

// After a click the tip stays away until the pointer goes on to another button.
TEST_F(Tooltip, PressingAButtonHidesIt) {
  moveTo(toolbar, centre(0));
  advance(500);
  ASSERT_TRUE(IsWindowVisible(tip));
  mouse(toolbar, EventType::MouseDown, centre(0));
  EXPECT_FALSE(IsWindowVisible(tip));
  mouse(toolbar, EventType::MouseUp, centre(0));
  moveTo(toolbar, POINT{centre(0).x + 1, centre(0).y});
  advance(1000);
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(requests(), 1u);
  moveTo(toolbar, centre(2));
  advance(500);
  EXPECT_TRUE(IsWindowVisible(tip));
}

}  // namespace
