// The toolbar's layout and messages: placement, button rectangles, states and return values.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "support/wine.h"
#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;

class Toolbar : public testing::Test {
 protected:
  void SetUp() override {
    parent = createParent();
    toolbar = createProgramToolbar(parent);
    ASSERT_NE(toolbar, nullptr);
  }
  void TearDown() override { DestroyWindow(parent); }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(toolbar, message, wParam, lParam);
  }

  HWND parent = nullptr, toolbar = nullptr;
};

// Flat 18 × 18 images make 25 × 24 buttons (the image plus 7 × 6 of padding) in a client area four
// pixels higher, under a two-pixel divider: 30 pixels in all, as Windows lays it out.
TEST_F(Toolbar, SpansTheTopOfItsParent) {
  RECT client, window, own;
  GetClientRect(parent, &client);
  GetWindowRect(toolbar, &window);
  POINT origin{window.left, window.top};
  ScreenToClient(parent, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  EXPECT_EQ(window.right - window.left, client.right);
  EXPECT_EQ(window.bottom - window.top, 30);
  GetClientRect(toolbar, &own);
  EXPECT_EQ(own.bottom, 28);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{0, 0}), toolbar);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{client.right - 1, 29}), toolbar);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{0, 30}), parent);
  char name[32];
  GetClassNameA(toolbar, name, sizeof name);
  EXPECT_STREQ(name, TOOLBARCLASSNAMEA);
  EXPECT_EQ(GetWindowLongA(toolbar, GWL_STYLE) & 3, CCS_TOP);
  EXPECT_EQ(GetDlgCtrlID(toolbar), 1);
  EXPECT_EQ(send(TB_GETBUTTONSIZE), MAKELONG(25, 24));
}

TEST_F(Toolbar, AutosizeFollowsTheParentsWidth) {
  RECT before, after, window;
  GetClientRect(parent, &before);
  MoveWindow(parent, 100, 80, 250, 200, TRUE);
  GetClientRect(parent, &after);
  ASSERT_LT(after.right, before.right);
  GetWindowRect(toolbar, &window);
  EXPECT_EQ(window.right - window.left, before.right) << "only TB_AUTOSIZE moves the toolbar";
  EXPECT_EQ(send(TB_AUTOSIZE), 0);
  GetWindowRect(toolbar, &window);
  EXPECT_EQ(window.right - window.left, after.right);
  EXPECT_EQ(window.bottom - window.top, 30);
}

// Buttons and separators in one row from the left; a separator is 8 pixels wide.
TEST_F(Toolbar, ItemRectangles) {
  const RECT expected[] = {{0, 0, 25, 24},   {25, 0, 50, 24},   {50, 0, 75, 24},  {75, 0, 83, 24},
                           {83, 0, 108, 24}, {108, 0, 116, 24}, {116, 0, 141, 24}, {141, 0, 166, 24},
                           {166, 0, 174, 24}, {174, 0, 199, 24}};
  ASSERT_EQ(send(TB_BUTTONCOUNT), kProgramButtonCount);
  for (int i = 0; i < kProgramButtonCount; ++i) {
    RECT r{-1, -1, -1, -1};
    EXPECT_EQ(send(TB_GETITEMRECT, i, LPARAM(&r)), TRUE) << i;
    EXPECT_EQ(r.left, expected[i].left) << i;
    EXPECT_EQ(r.top, expected[i].top) << i;
    EXPECT_EQ(r.right, expected[i].right) << i;
    EXPECT_EQ(r.bottom, expected[i].bottom) << i;
  }
  RECT r;
  EXPECT_EQ(send(TB_GETITEMRECT, kProgramButtonCount, LPARAM(&r)), FALSE);
  EXPECT_EQ(send(TB_GETITEMRECT, 0, 0), FALSE);
}

TEST_F(Toolbar, StatesByCommand) {
  struct Case {
    int command;
    LRESULT state, enabled, index;
  } cases[] = {{IDM_OPEN, 4, 4, 0},   {IDM_SAVE, 16, 0, 1}, {IDM_EXIT, 4, 4, 2},  {IDM_REVERT, 16, 0, 4},
               {IDM_FIND, 16, 0, 6},  {IDM_GOTO, 16, 0, 7}, {IDM_ABOUT, 4, 4, 9}, {0, 4, 4, 3},
               {12345, -1, -1, -1}};
  for (const Case &c : cases) {
    EXPECT_EQ(send(TB_GETSTATE, c.command), c.state) << c.command;
    EXPECT_EQ(send(TB_ISBUTTONENABLED, c.command), c.enabled) << c.command;
    EXPECT_EQ(send(TB_COMMANDTOINDEX, c.command), c.index) << c.command;
  }
}

TEST_F(Toolbar, SettingStates) {
  EXPECT_EQ(send(TB_SETSTATE, IDM_SAVE, TBSTATE_ENABLED), TRUE);
  EXPECT_EQ(send(TB_GETSTATE, IDM_SAVE), TBSTATE_ENABLED);
  EXPECT_EQ(send(TB_SETSTATE, IDM_OPEN, TBSTATE_INDETERMINATE), TRUE);
  EXPECT_EQ(send(TB_GETSTATE, IDM_OPEN), TBSTATE_INDETERMINATE);
  EXPECT_EQ(send(TB_SETSTATE, 12345, TBSTATE_ENABLED), FALSE);
  EXPECT_EQ(send(TB_SETSTATE, IDM_ABOUT, 0x1FF), TRUE);
  EXPECT_EQ(send(TB_GETSTATE, IDM_ABOUT), 0xFF) << "the state is a byte";

  EXPECT_EQ(send(TB_ENABLEBUTTON, IDM_REVERT, TRUE), TRUE);
  EXPECT_EQ(send(TB_GETSTATE, IDM_REVERT), TBSTATE_ENABLED | TBSTATE_INDETERMINATE);
  EXPECT_EQ(send(TB_ENABLEBUTTON, IDM_REVERT, FALSE), TRUE);
  EXPECT_EQ(send(TB_GETSTATE, IDM_REVERT), TBSTATE_INDETERMINATE);
  EXPECT_EQ(send(TB_ENABLEBUTTON, 12345, TRUE), FALSE);
}

TEST_F(Toolbar, GetButtonCopiesTheRecord) {
  TBBUTTON b;
  std::memset(&b, 0x55, sizeof b);
  ASSERT_EQ(send(TB_GETBUTTON, 1, LPARAM(&b)), TRUE);
  EXPECT_EQ(b.iBitmap, 1);
  EXPECT_EQ(b.idCommand, IDM_SAVE);
  EXPECT_EQ(b.fsState, 16);
  EXPECT_EQ(b.fsStyle, TBSTYLE_BUTTON);
  EXPECT_EQ(b.dwData, 0u);
  EXPECT_EQ(b.iString, 1);
  ASSERT_EQ(send(TB_GETBUTTON, 3, LPARAM(&b)), TRUE);
  EXPECT_EQ(b.fsStyle, TBSTYLE_SEP);
  EXPECT_EQ(b.idCommand, 0);
  EXPECT_EQ(send(TB_GETBUTTON, kProgramButtonCount, LPARAM(&b)), FALSE);
  EXPECT_EQ(send(TB_GETBUTTON, 0, 0), FALSE);
}

// A button is never smaller than its image plus the padding; a larger size is taken as it is.
TEST_F(Toolbar, ButtonAndBitmapSizes) {
  EXPECT_EQ(send(TB_SETBUTTONSIZE, 0, MAKELONG(10, 10)), TRUE);
  EXPECT_EQ(send(TB_GETBUTTONSIZE), MAKELONG(25, 24));
  EXPECT_EQ(send(TB_SETBITMAPSIZE, 0, MAKELONG(24, 24)), TRUE);
  EXPECT_EQ(send(TB_GETBUTTONSIZE), MAKELONG(31, 30));
  EXPECT_EQ(send(TB_SETBITMAPSIZE, 0, MAKELONG(18, 18)), TRUE);
  EXPECT_EQ(send(TB_SETBUTTONSIZE, 0, MAKELONG(40, 30)), TRUE);
  EXPECT_EQ(send(TB_GETBUTTONSIZE), MAKELONG(40, 30));
  send(TB_AUTOSIZE);
  RECT window;
  GetWindowRect(toolbar, &window);
  EXPECT_EQ(window.bottom - window.top, 36);
  RECT r = itemRect(toolbar, 3);
  EXPECT_EQ(r.left, 120);
  EXPECT_EQ(r.right, 128);
  EXPECT_EQ(r.bottom, 30);
}

TEST_F(Toolbar, TooltipWindow) {
  HWND tip = HWND(send(TB_GETTOOLTIPS));
  ASSERT_NE(tip, nullptr);
  char name[32];
  GetClassNameA(tip, name, sizeof name);
  EXPECT_STREQ(name, TOOLTIPS_CLASSA);
  EXPECT_TRUE(GetWindowLongA(tip, GWL_STYLE) & WS_POPUP);
  EXPECT_FALSE(GetWindowLongA(tip, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), parent);
  EXPECT_FALSE(IsWindowVisible(tip));
  DestroyWindow(toolbar);
  EXPECT_FALSE(IsWindow(tip)) << "the toolbar takes its tooltip with it";
}

TEST(ToolbarCreation, NoTooltipWithoutTheStyle) {
  HWND parent = createParent();
  HWND toolbar = createProgramToolbar(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0), 0);
  DestroyWindow(parent);
}

// A separator's image index is its width when positive.
TEST(ToolbarCreation, SeparatorWidths) {
  HWND parent = createParent();
  const TBBUTTON buttons[] = {{0, 1, 4, TBSTYLE_BUTTON, {}, 0, 0}, {20, 0, 4, TBSTYLE_SEP, {}, 0, 0},
                              {1, 2, 4, TBSTYLE_BUTTON, {}, 0, 0}, {-3, 0, 4, TBSTYLE_SEP, {}, 0, 0},
                              {0, 0, 4, TBSTYLE_SEP, {}, 0, 0}};
  HWND toolbar = CreateToolbarEx(parent, kProgramStyle, 1, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR, buttons, 5,
                                 18, 18, 18, 18, sizeof(TBBUTTON));
  const int widths[] = {25, 20, 25, 8, 8};
  for (int i = 0; i < 5; ++i) {
    RECT r = itemRect(toolbar, i);
    EXPECT_EQ(r.right - r.left, widths[i]) << i;
  }
  DestroyWindow(parent);
}

// A flat toolbar is transparent. Windows adds TBSTYLE_TRANSPARENT to its style when it also gives it the
// default CCS_TOP; one created with an alignment of its own is left as it was.
TEST(ToolbarCreation, FlatToolbarsAreTransparent) {
  HWND parent = createParent();
  struct Case {
    DWORD style, added;
  } cases[] = {{kProgramStyle, TBSTYLE_TRANSPARENT | CCS_TOP},
               {kProgramStyle | CCS_TOP, 0},
               {kProgramStyle | CCS_NOMOVEY, 0},
               {WS_CHILD | WS_VISIBLE, CCS_TOP}};
  for (const Case &c : cases) {
    HWND toolbar = createProgramToolbar(parent, c.style);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(DWORD(GetWindowLongA(toolbar, GWL_STYLE)), c.style | c.added) << std::hex << c.style;
    DestroyWindow(toolbar);
  }
  DestroyWindow(parent);
}

// CreateToolbarEx takes the button size it is given as the size of the images; the buttons are that plus
// their padding. A negative dimension stands for the bitmap's, and a zero one leaves the bitmap's size.
// (Wine's conformance tests of CreateToolbarEx, which pass on Windows, expect these sizes.)
TEST(ToolbarCreation, TheButtonSizeGivenIsTheImageSize) {
  HWND parent = createParent();
  struct Case {
    int dxButton, dyButton, dxBitmap, dyBitmap;
    LRESULT buttonSize;
  } cases[] = {{20, 20, 16, 16, MAKELONG(27, 26)},
               {4, 4, 16, 16, MAKELONG(11, 10)},
               {0, 8, 12, 12, MAKELONG(19, 18)},
               {-1, 8, 12, 12, MAKELONG(19, 14)}};
  for (const Case &c : cases) {
    HWND toolbar = CreateToolbarEx(parent, kProgramStyle, 1, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR,
                                   kProgramButtons, kProgramButtonCount, c.dxButton, c.dyButton, c.dxBitmap,
                                   c.dyBitmap, sizeof(TBBUTTON));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0), c.buttonSize) << c.dxButton << "," << c.dyButton;
    DestroyWindow(toolbar);
  }
  DestroyWindow(parent);
}

// The button records are read the size given apart: the older record ends before the string index, which
// such a button then lacks. What Windows does with the older size is not established here (Microsoft's
// documentation says only that the size tells the version of the records); Wine reads the records
// sizeof(TBBUTTON) apart whatever the size, past the end of these.
TEST(ToolbarCreation, OlderButtonRecordsAreReadTheirSizeApart) {
  if (runningUnderWine()) GTEST_SKIP() << "Wine reads past the end of records shorter than TBBUTTON";
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
  DestroyWindow(parent);
}

// A record size shorter than the older record cannot be read: the stand-in refuses it. What Windows does
// is not established here; Wine makes the toolbar all the same.
TEST(ToolbarCreation, ARecordSizeTooShortIsRefused) {
  HWND parent = createParent();
  constexpr UINT kTooShort = offsetof(TBBUTTON, iString) - 4;
  SetLastError(0);
  HWND toolbar = CreateToolbarEx(parent, kProgramStyle, 2, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR, kProgramButtons,
                                 kProgramButtonCount, 18, 18, 18, 18, kTooShort);
  if (runningUnderWine()) {
    EXPECT_NE(toolbar, nullptr);
  } else {
    EXPECT_EQ(toolbar, nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  }
  DestroyWindow(parent);
}

TEST(ToolbarCreation, InitCommonControlsRegistersTheClasses) {
  InitCommonControls();
  WNDCLASSA wc;
  for (const char *name : {TOOLBARCLASSNAMEA, TOOLTIPS_CLASSA, STATUSCLASSNAMEA})
    EXPECT_TRUE(GetClassInfoA(nullptr, name, &wc)) << name;
}

}  // namespace
