// Clicking toolbar buttons: commands only on release over an enabled button, pressed and hot states.
#include <gtest/gtest.h>

#include "support/wine.h"
#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;

class ToolbarMouse : public testing::Test {
 protected:
  void SetUp() override {
    parent = createParent();
    toolbar = createProgramToolbar(parent);
    ASSERT_NE(toolbar, nullptr);
  }
  void TearDown() override {
    parentLog().onCommand = nullptr;
    if (IsWindow(parent)) DestroyWindow(parent);
    parkPointer();
  }

  POINT centre(int index) { return centreOf(itemRect(toolbar, index)); }
  LRESULT state(int command) { return SendMessageA(toolbar, TB_GETSTATE, command, 0); }

  HWND parent = nullptr, toolbar = nullptr;
};

TEST_F(ToolbarMouse, ClickingEachItem) {
  const int expected[] = {IDM_OPEN, 0, IDM_EXIT, 0, 0, 0, 0, 0, 0, IDM_ABOUT};  // 0: greyed or separator
  for (int i = 0; i < kProgramButtonCount; ++i) {
    parentLog().commands.clear();
    click(toolbar, centre(i));
    if (expected[i] == 0) {
      EXPECT_TRUE(parentLog().commands.empty()) << i;
      continue;
    }
    ASSERT_EQ(parentLog().commands.size(), 1u) << i;
    EXPECT_EQ(parentLog().commands[0].first, MAKEWPARAM(expected[i], BN_CLICKED)) << i;
    EXPECT_EQ(parentLog().commands[0].second, LPARAM(toolbar)) << i;
  }
}

TEST_F(ToolbarMouse, TheCommandComesOnRelease) {
  press(toolbar, centre(0));
  EXPECT_TRUE(parentLog().commands.empty());
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED | TBSTATE_PRESSED);
  EXPECT_EQ(GetCapture(), toolbar);
  release(toolbar, centre(0));
  EXPECT_EQ(parentLog().commands.size(), 1u);
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarMouse, ReleasingElsewhereSendsNothing) {
  struct Case {
    const char *name;
    POINT releaseAt;
  } cases[] = {{"over another button", centre(2)},
               {"over a separator", centre(3)},
               {"outside the toolbar", POINT{10, 100}}};
  for (const Case &c : cases) {
    parentLog().commands.clear();
    press(toolbar, centre(0));
    moveTo(toolbar, c.releaseAt);
    EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED) << c.name << ": the button pops up when the pointer leaves it";
    release(toolbar, c.releaseAt);
    EXPECT_TRUE(parentLog().commands.empty()) << c.name;
    EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED) << c.name;
  }
}

TEST_F(ToolbarMouse, ComingBackBeforeReleasingStillClicks) {
  press(toolbar, centre(0));
  moveTo(toolbar, centre(2));
  moveTo(toolbar, centre(0));
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED | TBSTATE_PRESSED);
  release(toolbar, centre(0));
  ASSERT_EQ(parentLog().commands.size(), 1u);
  EXPECT_EQ(LOWORD(parentLog().commands[0].first), IDM_OPEN);
  EXPECT_EQ(state(IDM_EXIT), TBSTATE_ENABLED) << "the button passed over was never pressed";
}

// A greyed button sends nothing and is left as it was. On the stand-in it is never pressed and never
// takes the mouse either; what Windows does there is not established here. Wine sets TBSTATE_PRESSED on
// it and captures the mouse until the release.
TEST_F(ToolbarMouse, GreyedButtonsNeverPressOrClick) {
  for (int greyed : {0, TBSTATE_INDETERMINATE}) {
    SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, greyed);
    press(toolbar, centre(0));
    EXPECT_EQ(state(IDM_OPEN), runningUnderWine() ? greyed | TBSTATE_PRESSED : greyed) << greyed;
    EXPECT_EQ(GetCapture(), runningUnderWine() ? toolbar : nullptr) << greyed;
    release(toolbar, centre(0));
    EXPECT_TRUE(parentLog().commands.empty()) << greyed;
    EXPECT_EQ(state(IDM_OPEN), greyed);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ToolbarMouse, GreyedWhileHeldSendsNothing) {
  press(toolbar, centre(0));
  SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, TBSTATE_INDETERMINATE | TBSTATE_PRESSED);
  release(toolbar, centre(0));
  EXPECT_TRUE(parentLog().commands.empty());
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_INDETERMINATE);
}

// A press the toolbar lost the capture of is over: the button pops up, and on the stand-in releasing it
// over the button sends nothing. What Windows sends then is not established here; Wine still sends the
// command when the button is let go over the button it went down on.
TEST_F(ToolbarMouse, LosingTheCaptureCancelsThePress) {
  press(toolbar, centre(0));
  ASSERT_EQ(state(IDM_OPEN), TBSTATE_ENABLED | TBSTATE_PRESSED);
  SetCapture(parent);
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED);
  ReleaseCapture();
  release(toolbar, centre(0));
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED);
  EXPECT_EQ(parentLog().commands.size(), runningUnderWine() ? 1u : 0u);
}

// The parent may do anything when told, even destroy the toolbar (Exit closes the frame).
TEST_F(ToolbarMouse, TheParentMayDestroyTheToolbar) {
  parentLog().onCommand = [this](WPARAM) { DestroyWindow(parent); };
  click(toolbar, centre(2));
  EXPECT_EQ(parentLog().commands.size(), 1u);
  EXPECT_FALSE(IsWindow(toolbar));
  pump();
}

}  // namespace
