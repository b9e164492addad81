// Drop-down menus: where they appear, their items' places, and how items look in each state.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/wine.h"
#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;

constexpr COLORREF kFace = RGB(0xC0, 0xC0, 0xC0), kShadow = RGB(0x80, 0x80, 0x80), kWhite = RGB(0xFF, 0xFF, 0xFF),
                   kBlack = RGB(0, 0, 0), kNavy = RGB(0, 0, 0x80);
constexpr int kSearch = 2;

// Pixels and item rectangles of the drop-down on screen, in its own coordinates.
struct Snapshot {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  RECT window{};
  std::vector<RECT> items;

  COLORREF at(int x, int y) const { return pixels[size_t(y) * width + x]; }
  std::vector<COLORREF> colours(const RECT &r) const {
    std::vector<COLORREF> seen;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (std::find(seen.begin(), seen.end(), at(x, y)) == seen.end()) seen.push_back(at(x, y));
    std::sort(seen.begin(), seen.end());
    return seen;
  }
  // The first and last columns of each stretch of an item's text, against the colour of its corner;
  // six blank columns or more part two stretches.
  std::vector<std::pair<int, int>> inkRuns(const RECT &r) const {
    std::vector<std::pair<int, int>> runs;
    for (int x = r.left; x < r.right; ++x) {
      bool ink = false;
      for (int y = r.top; y < r.bottom; ++y) ink = ink || at(x, y) != at(r.left, r.top);
      if (!ink) continue;
      if (runs.empty() || x - runs.back().second > 6) runs.push_back({x, x});
      runs.back().second = x;
    }
    return runs;
  }
};

// Opens a drop-down with Alt+key, presses `keys`, and takes a snapshot before leaving.
Snapshot snapshot(MenuFrame &frame, char key, std::vector<UINT> keys) {
  Snapshot shot;
  for (UINT vk : keys) frame.script.push_back([&frame, vk] { frame.postKey(vk); });
  frame.script.push_back([&] {
    GetWindowRect(frame.idlePopup, &shot.window);
    shot.width = shot.window.right - shot.window.left;
    shot.height = shot.window.bottom - shot.window.top;
    for (int y = 0; y < shot.height; ++y)
      for (int x = 0; x < shot.width; ++x) shot.pixels.push_back(screen::windowPixel(frame.idlePopup, x, y));
    HMENU menu = GetSubMenu(frame.menu, key == 's' ? kSearch : 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      RECT r{};
      GetMenuItemRect(nullptr, menu, UINT(i), &r);
      shot.items.push_back({r.left - shot.window.left, r.top - shot.window.top, r.right - shot.window.left,
                            r.bottom - shot.window.top});
    }
    frame.postKey(VK_ESCAPE);
  });
  frame.script.push_back([&] { frame.postKey(VK_ESCAPE); });
  frame.keyMenu(key);
  EXPECT_EQ(frame.exhausted, 0);
  return shot;
}

TEST(MenuPopup, FileDropDownLooksClassic) {
  if (!menu_test::menusDrawnClassic()) GTEST_SKIP() << "menus are drawn flat";
  MenuFrame frame;
  Snapshot shot = snapshot(frame, 'f', {VK_DOWN});  // greyed Save selected
  ASSERT_EQ(shot.items.size(), 4u);
  int w = shot.width, h = shot.height;
  // A raised edge: light grey and white at the top left, black and dark grey at the bottom right.
  EXPECT_EQ(shot.at(0, h / 2), kFace);
  EXPECT_EQ(shot.at(1, h / 2), kWhite);
  EXPECT_EQ(shot.at(w - 1, h / 2), kBlack);
  EXPECT_EQ(shot.at(w - 2, h / 2), kShadow);
  EXPECT_EQ(shot.at(w / 2, h - 1), kBlack);
  // Open: black text; Save, selected though greyed: grey on navy; the separator: an etched line.
  EXPECT_EQ(shot.colours(shot.items[0]), (std::vector<COLORREF>{kBlack, kFace}));
  EXPECT_EQ(shot.colours(shot.items[1]), (std::vector<COLORREF>{kNavy, kShadow}));
  const RECT &separator = shot.items[2];
  EXPECT_EQ(shot.at(separator.left + 5, separator.top + 4), kShadow);
  EXPECT_EQ(shot.at(separator.left + 5, separator.top + 5), kWhite);
  EXPECT_EQ(shot.colours(RECT{separator.left, separator.top, separator.right, separator.top + 4}),
            std::vector<COLORREF>{kFace});
  // All items are as wide as the drop-down inside its border.
  for (const RECT &r : shot.items) EXPECT_EQ(r.right - r.left, w - 6);
}

TEST(MenuPopup, SelectedItemAndTheShortcutColumn) {
  if (!menu_test::menusDrawnClassic()) GTEST_SKIP() << "menus are drawn flat";
  MenuFrame frame;
  EnableMenuItem(frame.menu, IDM_GOTO, MF_ENABLED);
  Snapshot shot = snapshot(frame, 's', {VK_UP});  // Go to selected
  ASSERT_EQ(shot.items.size(), 4u);
  // Enabled and selected: white on navy. Greyed and not selected: embossed.
  EXPECT_EQ(shot.colours(shot.items[3]), (std::vector<COLORREF>{kNavy, kWhite}));
  EXPECT_EQ(shot.colours(shot.items[1]), (std::vector<COLORREF>{kShadow, kFace, kWhite}));
  // "Ctrl-F", "F3" and "Ctrl+G" start in one column just past the widest label, "查找下一个". Wine
  // places the column by a narrower measure of that label than the one it draws it with, so under Wine
  // "F3" runs into the label and only the other two are checked.
  const int column = shot.inkRuns(shot.items[0]).back().first;
  EXPECT_EQ(shot.inkRuns(shot.items[3]).back().first, column);
  EXPECT_LT(shot.inkRuns(shot.items[0]).back().second, shot.items[0].right - 20);
  if (runningUnderWine()) return;
  const int widestLabelEnd = shot.inkRuns(shot.items[1]).front().second;
  EXPECT_EQ(shot.inkRuns(shot.items[1]).back().first, column);
  EXPECT_GT(column - widestLabelEnd, 1);
  EXPECT_LE(column - widestLabelEnd, 16);
}

TEST(MenuPopup, DropDownHangsBelowItsBarItem) {
  MenuFrame frame;
  RECT searchItem{};
  GetMenuItemRect(frame.hwnd, frame.menu, kSearch, &searchItem);
  Snapshot shot = snapshot(frame, 's', {});
  EXPECT_EQ(shot.window.left, searchItem.left);
  EXPECT_EQ(shot.window.top, searchItem.bottom);
  // Once the menu is closed its items have no place on the screen.
  RECT gone{};
  EXPECT_FALSE(GetMenuItemRect(nullptr, GetSubMenu(frame.menu, kSearch), 0, &gone));
}

}  // namespace
