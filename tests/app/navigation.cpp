// Moving the cursor and the view: keys, the scroll bar, the mouse and the wheel.
#include <filesystem>
#include <string>

#include "resources/resource.h"
#include "support/platform.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using Navigation = ProgramTest;

int32_t offsetShown(ProgramTest &t) {
  std::string s = t.statusText(0);
  return std::stoi(s.substr(s.find(':') + 1));
}

TEST_F(Navigation, AHundredByteDocument) {
  ASSERT_TRUE(start(quotedPath(writeFile("100.bin", std::string(100, 'h')))));
  for (int i = 0; i < 6; ++i) key(VK_DOWN);
  key(VK_END);
  EXPECT_EQ(offsetShown(*this), 99);  // row 6 has 4 bytes: End stops on column 3
  key(VK_UP);
  key(VK_HOME);
  for (int i = 0; i < 8; ++i) key(VK_RIGHT);
  EXPECT_EQ(offsetShown(*this), 88);
  key(VK_DOWN);  // row 6 has no column 8
  EXPECT_EQ(offsetShown(*this), 88);
  key(VK_END, true);
  EXPECT_EQ(offsetShown(*this), 99);
  key(VK_RIGHT);  // the last byte: nothing moves
  EXPECT_EQ(offsetShown(*this), 99);
  EXPECT_EQ(scroll().nPos, 0);
  key(VK_HOME, true);
  EXPECT_EQ(offsetShown(*this), 0);
  key(VK_LEFT);  // no wrap to anywhere
  key(VK_UP);
  EXPECT_EQ(offsetShown(*this), 0);
}

TEST_F(Navigation, PageDownTwiceAndThePullBackToTheLastByte) {
  ASSERT_TRUE(start(quotedPath(writeFile("1000.bin", std::string(1000, 'k')))));
  for (int i = 0; i < 23; ++i) key(VK_DOWN);
  key(VK_END);
  key(VK_NEXT);
  EXPECT_EQ(scroll().nPos, 24);
  key(VK_NEXT);
  EXPECT_EQ(scroll().nPos, 39);
  EXPECT_EQ(offsetShown(*this), 999);
  key(VK_NEXT);  // the last page: nothing changes
  EXPECT_EQ(scroll().nPos, 39);
  EXPECT_EQ(offsetShown(*this), 999);
  key(VK_PRIOR);
  EXPECT_EQ(scroll().nPos, 15);
}

TEST_F(Navigation, RightAndDownAtTheBottomRowScrollByOneRow) {
  ASSERT_TRUE(start(quotedPath(writeFile("big.bin", std::string(2000, 'b')))));
  for (int i = 0; i < 23; ++i) key(VK_DOWN);
  key(VK_END);
  key(VK_RIGHT);
  EXPECT_EQ(scroll().nPos, 1);
  EXPECT_EQ(offsetShown(*this), 24 * 16);
  key(VK_DOWN);
  EXPECT_EQ(scroll().nPos, 2);
  EXPECT_EQ(offsetShown(*this), 25 * 16);
  key(VK_UP);
  EXPECT_EQ(scroll().nPos, 2);
  for (int i = 0; i < 22; ++i) key(VK_UP);
  key(VK_UP);  // on row 0 with rows above: the view scrolls back one row
  EXPECT_EQ(scroll().nPos, 1);
  EXPECT_EQ(offsetShown(*this), 16);
}

TEST_F(Navigation, UpAfterAResizeThatClampedThePositionStaysInside) {
  ASSERT_TRUE(start(quotedPath(writeFile("clamp.bin", std::string(40 * 16, 'c')))));
  key(VK_END, true);
  ASSERT_EQ(scroll().nPos, 16);
  RECT r;
  GetWindowRect(program.frame, &r);
  MoveWindow(program.frame, r.left, r.top, r.right - r.left, r.bottom - r.top + 30 * 16, TRUE);
  pump();
  EXPECT_EQ(scroll().nPos, 0);  // a larger page pulled the position back
  key(VK_HOME, false);
  for (int i = 0; i < 40; ++i) key(VK_UP);
  int32_t at = offsetShown(*this);
  EXPECT_GE(at, 0);
  EXPECT_LT(at, 40 * 16);
  EXPECT_EQ(at % 16, 0);
  for (int i = 0; i < 60; ++i) key(VK_DOWN);
  EXPECT_EQ(offsetShown(*this), 39 * 16);
}

TEST_F(Navigation, ClicksOnDigitsAndCharactersPlaceTheCursor) {
  ASSERT_TRUE(start(quotedPath(writeFile("click.bin", std::string(100, 'm')))));
  click((9 + 3 * 5) * 8 + 1, 2 * 16 + 3);
  EXPECT_EQ(offsetShown(*this), 37);
  EXPECT_EQ(statusText(1), " HEX-HI");
  click((59 + 7) * 8, 1 * 16);
  EXPECT_EQ(offsetShown(*this), 23);
  EXPECT_EQ(statusText(1), "  ASCII");
  for (POINT miss : {POINT{11 * 8, 0}, POINT{57 * 8, 0}, POINT{58 * 8, 0}, POINT{8 * 8, 0}, POINT{75 * 8, 0},
                     POINT{9 * 8, 24 * 16}, POINT{(9 + 3 * 4) * 8, 6 * 16}}) {
    click(miss.x, miss.y);
    EXPECT_EQ(offsetShown(*this), 23) << miss.x << "," << miss.y;
  }
}

TEST_F(Navigation, TheWheelScrollsThreeRowsPerNotch) {
  ASSERT_TRUE(start(quotedPath(writeFile("wheel.bin", std::string(4000, 'w')))));
  PostMessageA(program.frame, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
  pump();
  EXPECT_EQ(scroll().nPos, 3);
  PostMessageA(program.frame, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(WHEEL_DELTA)), 0);
  pump();
  EXPECT_EQ(scroll().nPos, 0);
}

TEST_F(Navigation, ScrollCodesFromTheScrollBar) {
  ASSERT_TRUE(start(quotedPath(writeFile("codes.bin", std::string(1000, 's')))));
  EXPECT_EQ(SendMessageA(view(), WM_VSCROLL, SB_LINEUP, 0), 1);  // nothing to scroll: unchanged
  EXPECT_EQ(SendMessageA(view(), WM_VSCROLL, SB_LINEDOWN, 0), 0);
  EXPECT_EQ(scroll().nPos, 1);
  EXPECT_EQ(SendMessageA(view(), WM_VSCROLL, SB_BOTTOM, 0), 0);
  EXPECT_EQ(scroll().nPos, 39);
  pump();
  EXPECT_EQ(offsetShown(*this), 999);
  EXPECT_EQ(SendMessageA(view(), WM_VSCROLL, SB_ENDSCROLL, 0), 1);
  EXPECT_EQ(SendMessageA(view(), WM_VSCROLL, SB_TOP, 0), 0);
  pump();
  EXPECT_EQ(offsetShown(*this), 0);
}

// The scroll bar dragged with the mouse as a user drags it: real input from the desktop, which the press
// on the thumb turns into the scroll bar's own tracking loop.
TEST_F(Navigation, DraggingTheThumbReachesEveryRowOfAMillionRowDocument) {
  std::string file = writeFile("2m.bin", "");
  std::filesystem::resize_file(file, 2000000);
  ASSERT_TRUE(start(quotedPath(file)));
  RECT bar;
  GetWindowRect(view(), &bar);
  const int x = bar.right - 8, top = bar.top, bottom = bar.bottom - 1;
  // Every point lies on the screen and inside the bar, as a user's drag does: a pointer cannot leave the
  // screen, and a thumb dragged far away from its bar goes back to where the drag started.
  ASSERT_LT(bottom, GetSystemMetrics(SM_CYSCREEN));
  using platform::Mouse;
  platform::mouse(Mouse::Press, {x, top + 17 + 2});  // on the thumb, just below the arrow
  platform::mouse(Mouse::Move, {x, top + 200});
  platform::mouse(Mouse::Move, {x, bottom});  // the bar's last row: the thumb can go no lower than the bottom
  platform::mouse(Mouse::Release, {x, bottom});
  pump();
  EXPECT_EQ(scroll().nPos, 124976);
  EXPECT_EQ(offsetShown(*this), 124976 * 16);
  EXPECT_TRUE(cellsShow(0, 23, "1E8470 |"));  // row 124,999 (× 16 = 0x1E8470) is the bottom row
}

}  // namespace
