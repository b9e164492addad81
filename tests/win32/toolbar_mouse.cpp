// Clicking toolbar buttons: commands only on release over an enabled button, pressed and hot states.
#include <gtest/gtest.h>

#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;
using win32::backend::EventType;

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
  mouse(toolbar, EventType::MouseDown, centre(0));
  EXPECT_TRUE(parentLog().commands.empty());
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED | TBSTATE_PRESSED);
  EXPECT_EQ(GetCapture(), toolbar);
  mouse(toolbar, EventType::MouseUp, centre(0));
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
    mouse(toolbar, EventType::MouseDown, centre(0));
    mouse(toolbar, EventType::MouseMove, c.releaseAt);
    EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED) << c.name << ": the button pops up when the pointer leaves it";
    mouse(toolbar, EventType::MouseUp, c.releaseAt);
    EXPECT_TRUE(parentLog().commands.empty()) << c.name;
    EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED) << c.name;
  }
}

TEST_F(ToolbarMouse, ComingBackBeforeReleasingStillClicks) {
  mouse(toolbar, EventType::MouseDown, centre(0));
  mouse(toolbar, EventType::MouseMove, centre(2));
  mouse(toolbar, EventType::MouseMove, centre(0));
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED | TBSTATE_PRESSED);
  mouse(toolbar, EventType::MouseUp, centre(0));
  ASSERT_EQ(parentLog().commands.size(), 1u);
  EXPECT_EQ(LOWORD(parentLog().commands[0].first), IDM_OPEN);
  EXPECT_EQ(state(IDM_EXIT), TBSTATE_ENABLED) << "the button passed over was never pressed";
}

TEST_F(ToolbarMouse, GreyedButtonsNeverPress) {
  for (int greyed : {0, TBSTATE_INDETERMINATE}) {
    SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, greyed);
    mouse(toolbar, EventType::MouseDown, centre(0));
    EXPECT_EQ(state(IDM_OPEN), greyed);
    EXPECT_EQ(GetCapture(), nullptr);
    mouse(toolbar, EventType::MouseUp, centre(0));
    EXPECT_TRUE(parentLog().commands.empty()) << greyed;
  }
}

TEST_F(ToolbarMouse, GreyedWhileHeldSendsNothing) {
  mouse(toolbar, EventType::MouseDown, centre(0));
  SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, TBSTATE_INDETERMINATE | TBSTATE_PRESSED);
  mouse(toolbar, EventType::MouseUp, centre(0));
  EXPECT_TRUE(parentLog().commands.empty());
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_INDETERMINATE);
}

TEST_F(ToolbarMouse, LosingTheCaptureCancelsThePress) {
  mouse(toolbar, EventType::MouseDown, centre(0));
  SetCapture(parent);
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED);
  ReleaseCapture();
  mouse(toolbar, EventType::MouseUp, centre(0));
  EXPECT_TRUE(parentLog().commands.empty());
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
