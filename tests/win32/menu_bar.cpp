// The menu bar: its place in the window rectangle, its rows, and how its items look.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/wine.h"
#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;

constexpr COLORREF kFace = RGB(0xC0, 0xC0, 0xC0), kShadow = RGB(0x80, 0x80, 0x80), kWhite = RGB(0xFF, 0xFF, 0xFF),
                   kBlack = RGB(0, 0, 0);

// A pixel of a top-level window, in window coordinates, as it is shown.
COLORREF pixelAt(HWND hwnd, int x, int y) { return screen::windowPixel(hwnd, x, y); }

// The colours found in a rectangle of a top-level window.
std::vector<COLORREF> coloursIn(HWND hwnd, const RECT &r) {
  std::vector<COLORREF> seen;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (COLORREF p = pixelAt(hwnd, x, y); std::find(seen.begin(), seen.end(), p) == seen.end()) seen.push_back(p);
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

// The borders and caption of the frame, without its menu bar: where the client area of a frame without
// one lies in its window rectangle.
RECT frameInsets(DWORD style = WS_OVERLAPPEDWINDOW) {
  MenuFrame bare(nullptr, 619, 400, style);
  RECT window, client;
  GetWindowRect(bare.hwnd, &window);
  GetClientRect(bare.hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(bare.hwnd, &origin);
  return {window.left - origin.x, window.top - origin.y, window.right - origin.x - client.right,
          window.bottom - origin.y - client.bottom};
}

TEST(MenuBar, TheBarTakesTheTopOfTheWindowRectangle) {
  const RECT in = frameInsets();
  MenuFrame frame;
  const int width = 619 - (in.right - in.left), height = 400 - (in.bottom - in.top);
  RECT window, client;
  GetWindowRect(frame.hwnd, &window);
  GetClientRect(frame.hwnd, &client);
  EXPECT_EQ(window.bottom - window.top, 400);
  EXPECT_EQ(client.right, width);
  EXPECT_EQ(client.bottom, height - GetSystemMetrics(SM_CYMENU));
  POINT origin{0, 0};
  ClientToScreen(frame.hwnd, &origin);
  EXPECT_EQ(origin.x, window.left - in.left);
  EXPECT_EQ(origin.y, window.top - in.top + GetSystemMetrics(SM_CYMENU));
  // Windows' menu bar is 20 pixels high at 96 dots per inch; Wine's is one less.
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), runningUnderWine() ? 19 : 20);

  // Taking the menu away gives its rows to the client area, and WM_SIZE says so.
  ASSERT_TRUE(SetMenu(frame.hwnd, nullptr));
  GetClientRect(frame.hwnd, &client);
  EXPECT_EQ(client.bottom, height);
  ASSERT_FALSE(frame.log.empty());
  EXPECT_EQ(frame.log.back().message, UINT(WM_SIZE));
  EXPECT_EQ(frame.log.back().lParam, MAKELPARAM(width, height));
  SetMenu(frame.hwnd, frame.menu);
  GetClientRect(frame.hwnd, &client);
  EXPECT_EQ(client.bottom, height - GetSystemMetrics(SM_CYMENU));
}

// Each item keeps its width, and one that has no room left on its row starts the next.
TEST(MenuBar, ItemsWrapToMoreRowsInANarrowWindow) {
  int w[4];
  {
    MenuFrame wide;
    for (int i = 0; i < 4; ++i) {
      RECT r = barItem(wide, i);
      w[i] = r.right - r.left;
    }
  }
  struct Case {
    int clientWidth;
    std::vector<int> rowOfItem;
  };
  // Narrower than a pair of neighbours, each item has a row of its own. (What an item narrower than
  // the window becomes is Windows' own: Wine cuts it to the width, the stand-in keeps it whole.)
  const int all = w[0] + w[1] + w[2] + w[3], noPair = std::min({w[0] + w[1], w[1] + w[2], w[2] + w[3]}) - 1;
  const Case cases[] = {{all, {0, 0, 0, 0}},
                        {all - 1, {0, 0, 0, 1}},
                        {w[0] + w[1] + w[2] - 1, {0, 0, 1, 1}},
                        {noPair, {0, 1, 2, 3}}};
  // A frame without a sizing border: Windows makes a new overlapped or sizable window at least as wide
  // as its smallest tracking size.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const RECT in = frameInsets(style);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.clientWidth);
    MenuFrame frame(menu_test::loadProgramMenu(), c.clientWidth + in.right - in.left, 300, style);
    RECT client;
    GetClientRect(frame.hwnd, &client);
    ASSERT_EQ(client.right, c.clientWidth);
    // How far apart the rows lie is Windows' own (Wine overlaps them by a pixel); each starts below the
    // last, and the client area below them all.
    RECT first = barItem(frame, 0), previous = first;
    for (int i = 0; i < 4; ++i) {
      RECT r = barItem(frame, i);
      bool newRow = i > 0 && c.rowOfItem[size_t(i)] != c.rowOfItem[size_t(i) - 1];
      EXPECT_EQ(r.left, i == 0 || newRow ? first.left : previous.right) << i;
      EXPECT_EQ(r.right - r.left, w[i]) << i;
      if (i > 0) {
        EXPECT_EQ(r.top > previous.top, newRow) << i;
        EXPECT_EQ(r.top == previous.top, !newRow) << i;
      }
      previous = r;
    }
    POINT origin{0, 0};
    ClientToScreen(frame.hwnd, &origin);
    RECT window;
    GetWindowRect(frame.hwnd, &window);
    EXPECT_GE(origin.y - window.top, previous.bottom);
    EXPECT_EQ(client.bottom, 300 - (origin.y - window.top) - in.bottom);
  }
}

// The columns of a row of a top-level window that are not `background`, as runs of first and last column.
std::vector<std::pair<int, int>> inkRuns(HWND hwnd, int y, int left, int right, COLORREF background) {
  std::vector<std::pair<int, int>> runs;
  for (int x = left; x < right; ++x) {
    if (pixelAt(hwnd, x, y) == background) continue;
    if (runs.empty() || runs.back().second != x - 1) runs.push_back({x, x});
    runs.back().second = x;
  }
  return runs;
}

TEST(MenuBar, ItemsAreDrawnWithTheirAccessKeysUnderlined) {
  if (!menu_test::menusDrawnClassic()) GTEST_SKIP() << "menus are drawn flat";
  MenuFrame frame;
  RECT file = barItem(frame, 0);
  EXPECT_EQ(coloursIn(frame.hwnd, file), (std::vector<COLORREF>{kBlack, kFace}));
  // The underline of "文件(&F)" is the widest stretch of the item's lowest row of ink: a line under the
  // F alone, with the closing parenthesis right of it and a blank row between the letter and the line.
  int underline = file.bottom - 1;
  while (underline > file.top && inkRuns(frame.hwnd, underline, file.left, file.right, kFace).empty()) --underline;
  const auto runs = inkRuns(frame.hwnd, underline, file.left, file.right, kFace);
  ASSERT_FALSE(runs.empty());
  const auto [lineLeft, lineRight] = *std::max_element(
      runs.begin(), runs.end(), [](auto a, auto b) { return a.second - a.first < b.second - b.first; });
  EXPECT_GE(lineRight - lineLeft + 1, 4);
  EXPECT_LE(lineRight - lineLeft + 1, 10);
  const auto letters = inkRuns(frame.hwnd, underline - 2, file.left, file.right, kFace);
  ASSERT_FALSE(letters.empty());
  EXPECT_GT(letters.back().first, lineRight);
  EXPECT_TRUE(inkRuns(frame.hwnd, underline - 1, lineLeft, lineRight + 1, kFace).empty());
  EXPECT_FALSE(inkRuns(frame.hwnd, underline - 2, lineLeft, lineRight + 1, kFace).empty());  // the F
  // Past the last item the bar is bare, to the client area's right edge.
  POINT origin{0, 0};
  ClientToScreen(frame.hwnd, &origin);
  RECT window, client, help = barItem(frame, 3);
  GetWindowRect(frame.hwnd, &window);
  GetClientRect(frame.hwnd, &client);
  RECT pastTheItems{help.right, help.top, origin.x - window.left + client.right, help.bottom};
  EXPECT_EQ(coloursIn(frame.hwnd, pastTheItems), std::vector<COLORREF>{kFace});
}

TEST(MenuBar, GreyedItemsAreEmbossed) {
  if (!menu_test::menusDrawnClassic()) GTEST_SKIP() << "menus are drawn flat";
  MenuFrame frame;
  EnableMenuItem(frame.menu, 1, MF_BYPOSITION | MF_GRAYED);
  DrawMenuBar(frame.hwnd);
  EXPECT_EQ(coloursIn(frame.hwnd, barItem(frame, 1)), (std::vector<COLORREF>{kShadow, kFace, kWhite}));
}

TEST(MenuBar, SelectedItemIsRaisedAndTheOpenOnePushedIn) {
  if (!menu_test::menusDrawnClassic()) GTEST_SKIP() << "menus are drawn flat";
  MenuFrame frame;
  RECT file = barItem(frame, 0), edit = barItem(frame, 1);
  auto corners = [&](const RECT &r) {
    return std::vector<COLORREF>{pixelAt(frame.hwnd, r.left, r.top), pixelAt(frame.hwnd, r.right - 1, r.bottom - 1)};
  };
  std::vector<COLORREF> selected, open, neighbour, afterwards;
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
  // Windows raises the bar item the keyboard selects; Wine pushes it in as when its drop-down is open.
  const std::vector<COLORREF> raised{kWhite, kShadow}, pushedIn{kShadow, kWhite};
  EXPECT_EQ(selected, runningUnderWine() ? pushedIn : raised);
  EXPECT_EQ(open, pushedIn);
  EXPECT_EQ(neighbour, (std::vector<COLORREF>{kFace, kFace}));
  EXPECT_EQ(afterwards, (std::vector<COLORREF>{kFace, kFace}));
}

}  // namespace
