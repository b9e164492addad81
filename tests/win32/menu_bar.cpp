// The menu bar: its place in the window rectangle, its rows, and how its items look.
#include <gtest/gtest.h>

#include <algorithm>

#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;

constexpr uint32_t kFace = 0xC0C0C0, kShadow = 0x808080, kWhite = 0xFFFFFF, kBlack = 0x000000;

// A pixel of a top-level window, in window coordinates, as it stands on its surface.
uint32_t pixelAt(HWND hwnd, int x, int y) {
  const win32::Surface &s = win32::findWindow(hwnd)->top->surface;
  return s.pixels[size_t(y) * s.width + x];
}

// The colours found in a rectangle of a top-level window.
std::vector<uint32_t> coloursIn(HWND hwnd, const RECT &r) {
  std::vector<uint32_t> seen;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (uint32_t p = pixelAt(hwnd, x, y); std::find(seen.begin(), seen.end(), p) == seen.end()) seen.push_back(p);
  std::sort(seen.begin(), seen.end());
  return seen;
}

// A bar item's rectangle in the window's own coordinates.
RECT barItem(const MenuFrame &frame, int item) {
  RECT r{}, window{};
  GetMenuItemRect(frame.hwnd, frame.menu, UINT(item), &r);
  GetWindowRect(frame.hwnd, &window);
  return {r.left - window.left, r.top - window.top, r.right - window.left, r.bottom - window.top};
}

TEST(MenuBar, TheBarTakesTheTopOfTheWindowRectangle) {
  MenuFrame frame;
  RECT window, client;
  GetWindowRect(frame.hwnd, &window);
  GetClientRect(frame.hwnd, &client);
  EXPECT_EQ(window.bottom - window.top, 400);
  EXPECT_EQ(client.right, 619);
  EXPECT_EQ(client.bottom, 400 - GetSystemMetrics(SM_CYMENU));
  POINT origin{0, 0};
  ClientToScreen(frame.hwnd, &origin);
  EXPECT_EQ(origin.x, window.left);
  EXPECT_EQ(origin.y, window.top + GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 20);

  // Taking the menu away gives its rows to the client area, and WM_SIZE says so.
  ASSERT_TRUE(SetMenu(frame.hwnd, nullptr));
  GetClientRect(frame.hwnd, &client);
  EXPECT_EQ(client.bottom, 400);
  ASSERT_FALSE(frame.log.empty());
  EXPECT_EQ(frame.log.back().message, UINT(WM_SIZE));
  EXPECT_EQ(frame.log.back().lParam, MAKELPARAM(619, 400));
  SetMenu(frame.hwnd, frame.menu);
  GetClientRect(frame.hwnd, &client);
  EXPECT_EQ(client.bottom, 380);
}

TEST(MenuBar, ItemsWrapToMoreRowsInANarrowWindow) {
  struct Case {
    int width;
    std::vector<int> rowOfItem;
  };
  // Each of the program's four titles is 56 pixels of text with 8 on either side.
  const Case cases[] = {{619, {0, 0, 0, 0}}, {288, {0, 0, 0, 0}}, {287, {0, 0, 0, 1}},
                        {200, {0, 0, 1, 1}}, {100, {0, 1, 2, 3}}, {40, {0, 1, 2, 3}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.width);
    MenuFrame frame(menu_test::loadProgramMenu(), c.width, 300);
    int rows = 0, x = 0;
    for (int i = 0; i < 4; ++i) {
      RECT r = barItem(frame, i);
      if (i > 0 && c.rowOfItem[size_t(i)] != c.rowOfItem[size_t(i) - 1]) x = 0;
      EXPECT_EQ(r.left, x) << i;
      EXPECT_EQ(r.right - r.left, 72) << i;
      EXPECT_EQ(r.top, 20 * c.rowOfItem[size_t(i)]) << i;
      EXPECT_EQ(r.bottom - r.top, 20) << i;
      x = r.right;
      rows = c.rowOfItem[size_t(i)] + 1;
    }
    RECT client;
    GetClientRect(frame.hwnd, &client);
    EXPECT_EQ(client.bottom, 300 - 20 * rows);
  }
}

TEST(MenuBar, ItemsAreDrawnWithTheirAccessKeysUnderlined) {
  MenuFrame frame;
  RECT file = barItem(frame, 0);
  // "文件(&F)" is centred: 56 pixels of text from x 8; the F follows 40 pixels of "文件(". The line is
  // one pixel short of the F's advance, with a blank row between it and the F.
  int underlineLeft = file.left + 8 + 40, underlineRow = file.top + 2 + 15;
  for (int x = underlineLeft; x < underlineLeft + 8; ++x) {
    EXPECT_EQ(pixelAt(frame.hwnd, x, underlineRow), x < underlineLeft + 7 ? kBlack : kFace) << x;
    EXPECT_EQ(pixelAt(frame.hwnd, x, underlineRow - 1), kFace) << x;
  }
  EXPECT_EQ(coloursIn(frame.hwnd, file), (std::vector<uint32_t>{kBlack, kFace}));
  RECT pastTheItems{barItem(frame, 3).right, 0, 619, 20};
  EXPECT_EQ(coloursIn(frame.hwnd, pastTheItems), std::vector<uint32_t>{kFace});
}

TEST(MenuBar, GreyedItemsAreEmbossed) {
  MenuFrame frame;
  EnableMenuItem(frame.menu, 1, MF_BYPOSITION | MF_GRAYED);
  DrawMenuBar(frame.hwnd);
  EXPECT_EQ(coloursIn(frame.hwnd, barItem(frame, 1)), (std::vector<uint32_t>{kShadow, kFace, kWhite}));
}

TEST(MenuBar, SelectedItemIsRaisedAndTheOpenOnePushedIn) {
  MenuFrame frame;
  RECT file = barItem(frame, 0), edit = barItem(frame, 1);
  auto corners = [&](const RECT &r) {
    return std::vector<uint32_t>{pixelAt(frame.hwnd, r.left, r.top), pixelAt(frame.hwnd, r.right - 1, r.bottom - 1)};
  };
  std::vector<uint32_t> selected, open, neighbour, afterwards;
  frame.script.push_back([&] {
    selected = corners(file);
    frame.postKey(VK_DOWN);
  });
  frame.script.push_back([&] {
    open = corners(file);
    neighbour = corners(edit);
    frame.postKey(VK_ESCAPE);
  });
  frame.script.push_back([&] { frame.postKey(VK_ESCAPE); });
  frame.keyMenu(0);
  EXPECT_EQ(frame.exhausted, 0);
  afterwards = corners(file);
  EXPECT_EQ(selected, (std::vector<uint32_t>{kWhite, kShadow}));
  EXPECT_EQ(open, (std::vector<uint32_t>{kShadow, kWhite}));
  EXPECT_EQ(neighbour, (std::vector<uint32_t>{kFace, kFace}));
  EXPECT_EQ(afterwards, (std::vector<uint32_t>{kFace, kFace}));
}

}  // namespace
