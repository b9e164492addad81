// The stand-in's own rules for the common controls where Wine does otherwise and what Windows does is
// not established: these cases run on the stand-in only. (The portable tests in tests/win32 check what
// Wine and the stand-in agree on.)
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;

// Records are read `structSize` bytes apart. The older layout ends before the string index; anything
// shorter cannot be read at all. (Wine reads the records sizeof(TBBUTTON) apart whatever the size given,
// so it reads past the end of these.)
TEST(StandInToolbarCreationRules, ButtonRecordSizes) {
  HWND parent = createParent();
  constexpr UINT kOld = offsetof(TBBUTTON, iString);
  std::vector<BYTE> records(2 * kOld, 0);
  TBBUTTON first{2, 701, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 9, 0}, second{5, 702, 0, TBSTYLE_BUTTON, {}, 0, 0};
  std::memcpy(records.data(), &first, kOld);
  std::memcpy(records.data() + kOld, &second, kOld);
  HWND toolbar = CreateToolbarEx(parent, kProgramStyle, 1, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR,
                                 reinterpret_cast<LPCTBBUTTON>(records.data()), 2, 18, 18, 18, 18, kOld);
  ASSERT_NE(toolbar, nullptr);
  TBBUTTON b;
  std::memset(&b, 0x55, sizeof b);
  ASSERT_EQ(SendMessageA(toolbar, TB_GETBUTTON, 1, LPARAM(&b)), TRUE);
  EXPECT_EQ(b.idCommand, 702);
  EXPECT_EQ(b.iBitmap, 5);
  EXPECT_EQ(b.iString, INT_PTR(0x5555555555555555)) << "no room for it in an old record";
  EXPECT_EQ(SendMessageA(toolbar, TB_COMMANDTOINDEX, 701, 0), 0);

  SetLastError(0);
  EXPECT_EQ(CreateToolbarEx(parent, kProgramStyle, 2, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR, kProgramButtons,
                            kProgramButtonCount, 18, 18, 18, 18, 20),
            nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  DestroyWindow(parent);
}

class StandInToolbarRules : public testing::Test {
 protected:
  void SetUp() override {
    parent = createParent();
    toolbar = createProgramToolbar(parent);
    ASSERT_NE(toolbar, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent);
    parkPointer();
  }

  POINT centre(int index) { return centreOf(itemRect(toolbar, index)); }
  LRESULT state(int command) { return SendMessageA(toolbar, TB_GETSTATE, command, 0); }

  HWND parent = nullptr, toolbar = nullptr;
};

// A greyed button is never pressed and never takes the mouse. (Wine sets TBSTATE_PRESSED on it and
// captures the mouse until the release, without drawing it pressed or sending a command.)
TEST_F(StandInToolbarRules, GreyedButtonsNeverPress) {
  for (int greyed : {0, TBSTATE_INDETERMINATE}) {
    SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, greyed);
    press(toolbar, centre(0));
    EXPECT_EQ(state(IDM_OPEN), greyed);
    EXPECT_EQ(GetCapture(), nullptr);
    release(toolbar, centre(0));
    EXPECT_TRUE(parentLog().commands.empty()) << greyed;
  }
}

// A press the toolbar lost the capture of is over: releasing on the button sends nothing. (Wine still
// sends the command when the button is let go over the button it went down on.)
TEST_F(StandInToolbarRules, LosingTheCaptureCancelsThePress) {
  press(toolbar, centre(0));
  SetCapture(parent);
  EXPECT_EQ(state(IDM_OPEN), TBSTATE_ENABLED);
  ReleaseCapture();
  release(toolbar, centre(0));
  EXPECT_TRUE(parentLog().commands.empty());
}

// After a click the tip stays away until the pointer goes on to another button. (Wine shows it again
// once the pointer rests on the button clicked.)
TEST_F(StandInToolbarRules, AfterAClickTheTipStaysAwayFromThatButton) {
  HWND tip = HWND(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  moveTo(toolbar, centre(0));
  wait(kTipDelay);
  ASSERT_TRUE(IsWindowVisible(tip));
  click(toolbar, centre(0));
  moveTo(toolbar, POINT{centre(0).x + 1, centre(0).y});
  wait(1000);
  EXPECT_FALSE(IsWindowVisible(tip));
  EXPECT_EQ(parentLog().tipRequests.size(), 1u);
  moveTo(toolbar, centre(2));
  wait(kTipDelay);
  EXPECT_TRUE(IsWindowVisible(tip));
}

// The separator's line runs from the second row of the item to the fourth row from its bottom. (Wine's
// classic drawing runs it from the third row to the third row from the bottom.)
TEST_F(StandInToolbarRules, SeparatorLineEnds) {
  pump();
  RECT r = itemRect(toolbar, 3);
  EXPECT_EQ(pixel(toolbar, 78, r.top), kParentColour);
  EXPECT_EQ(pixel(toolbar, 78, r.top + 1), shadow());
  EXPECT_EQ(pixel(toolbar, 78, r.bottom - 4), shadow());
  EXPECT_EQ(pixel(toolbar, 78, r.bottom - 3), kParentColour);
}

// SB_SETPARTS with no array, or with more than 256 parts, is refused. (Wine reads the array it is not
// given, and takes 257 parts.)
TEST(StandInStatusBarRules, RefusedParts) {
  HWND parent = createParent();
  HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, 2);
  EXPECT_EQ(SendMessageA(bar, SB_SETPARTS, 2, 0), FALSE);
  std::vector<int> tooMany(257, -1);
  EXPECT_EQ(SendMessageA(bar, SB_SETPARTS, tooMany.size(), LPARAM(tooMany.data())), FALSE);
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 1);
  DestroyWindow(parent);
}

// SB_GETTEXTLENGTHA counts the bytes of the text SB_GETTEXTA gives, and SB_GETTEXTA gives an empty
// string for a part without text. (Wine counts a text's UTF-16 units, 16 and 7 here, and leaves the
// buffer of a part without text as it was.)
TEST(StandInStatusBarRules, TextLengthsInBytes) {
  HWND parent = createParent();
  HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, 2);
  int edges[] = {300, -1};
  ASSERT_EQ(SendMessageA(bar, SB_SETPARTS, 2, LPARAM(edges)), TRUE);
  SendMessageA(bar, SB_SETTEXTA, 1, LPARAM("当前位置: 0 / 000000"));
  SendMessageA(bar, SB_SETTEXTA, 0 | SBT_NOBORDERS, LPARAM("打开待编辑文件"));
  EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0), MAKELONG(24, 0));
  EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0), MAKELONG(21, SBT_NOBORDERS));
  SendMessageA(bar, SB_SETTEXTA, 1, 0);
  char buffer[64] = "untouched";
  EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 1, LPARAM(buffer)), 0);
  EXPECT_STREQ(buffer, "");
  DestroyWindow(parent);
}

}  // namespace
