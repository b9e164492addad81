// Menu objects: the program's menu as LoadMenuA builds it, item states and texts, and bad handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/wine.h"

namespace {

constexpr UINT kMissing = 0xFFFFFFFF;
constexpr UINT kSeparatorState = MF_SEPARATOR | MF_GRAYED | MF_DISABLED;

HMENU programMenu() { return LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU)); }

// The File menu of the program, built by hand: Open, greyed Save, a separator, Exit.
HMENU fileMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, IDM_OPEN, "打开(&O)");
  AppendMenuA(file, MF_STRING | MF_GRAYED, IDM_SAVE, "保存(&S)");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, IDM_EXIT, "退出(&X)");
  return file;
}

std::string menuString(HMENU menu, UINT item, UINT flags) {
  char text[64] = {};
  int n = GetMenuStringA(menu, item, text, sizeof text, flags);
  EXPECT_EQ(n, int(std::strlen(text)));
  return text;
}

TEST(Menu, ProgramMenuAsLoaded) {
  struct Item {
    UINT id;
    const char *text;
    UINT state;
  };
  struct Popup {
    const char *text;
    UINT state;  // the item count in the high byte
    std::vector<Item> items;
  };
  const Popup expected[] = {
      {"文件(&F)", 0x410,
       {{IDM_OPEN, "打开(&O)", 0}, {IDM_SAVE, "保存(&S)", MF_GRAYED}, {0, "", kSeparatorState},
        {IDM_EXIT, "退出(&X)", 0}}},
      {"编辑(&E)", 0x110, {{IDM_REVERT, "撤销(&U)\tCtrl+Z", MF_GRAYED}}},
      {"查找(&S)", 0x410,
       {{IDM_FIND, "查找(&F)\tCtrl-F", MF_GRAYED}, {IDM_FIND_NEXT, "查找下一个\tF3", MF_GRAYED},
        {0, "", kSeparatorState}, {IDM_GOTO, "跳到(&G)\tCtrl+G", MF_GRAYED}}},
      {"帮助(&H)", 0x110, {{IDM_ABOUT, "关于Oxbytepad", 0}}},
  };
  // A null instance means the program itself.
  for (HINSTANCE instance : {GetModuleHandleA(nullptr), HINSTANCE(nullptr)}) {
    HMENU bar = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    for (int p = 0; p < 4; ++p) {
      SCOPED_TRACE(expected[p].text);
      HMENU popup = GetSubMenu(bar, p);
      ASSERT_NE(popup, nullptr);
      EXPECT_EQ(GetMenuItemID(bar, p), kMissing);
      EXPECT_EQ(GetMenuState(bar, UINT(p), MF_BYPOSITION), expected[p].state);
      EXPECT_EQ(menuString(bar, UINT(p), MF_BYPOSITION), expected[p].text);
      ASSERT_EQ(GetMenuItemCount(popup), int(expected[p].items.size()));
      for (size_t i = 0; i < expected[p].items.size(); ++i) {
        const Item &want = expected[p].items[i];
        EXPECT_EQ(GetMenuItemID(popup, int(i)), want.id) << i;
        EXPECT_EQ(GetMenuState(popup, UINT(i), MF_BYPOSITION), want.state) << i;
        EXPECT_EQ(menuString(popup, UINT(i), MF_BYPOSITION), want.text) << i;
        EXPECT_EQ(GetSubMenu(popup, int(i)), nullptr) << i;
        // By command the whole tree is searched, from the bar down.
        if (want.id) {
          EXPECT_EQ(GetMenuState(bar, want.id, MF_BYCOMMAND), want.state) << i;
        }
      }
    }
    EXPECT_TRUE(DestroyMenu(bar));
  }
}

TEST(Menu, EnableMenuItemReturnsThePreviousState) {
  struct Step {
    UINT item, flags;
    UINT returned;
  };
  // What Windows returns, step by step, on the File menu (Save starts greyed).
  const Step steps[] = {
      {IDM_SAVE, MF_ENABLED, MF_GRAYED},
      {IDM_SAVE, MF_GRAYED, 0},
      {IDM_SAVE, MF_DISABLED, MF_GRAYED},
      {IDM_SAVE, MF_GRAYED | MF_DISABLED, MF_DISABLED},
      {IDM_SAVE, MF_ENABLED, MF_GRAYED | MF_DISABLED},
      {IDM_OPEN, MF_GRAYED | MF_CHECKED, 0},  // only the enable bits are taken
      {IDM_OPEN, MF_ENABLED, MF_GRAYED},
      {3, MF_BYPOSITION | MF_GRAYED, 0},
      {IDM_EXIT, MF_ENABLED, MF_GRAYED},
      {2, MF_BYPOSITION | MF_ENABLED, MF_GRAYED | MF_DISABLED},  // a separator starts greyed and disabled
      {9999, MF_GRAYED, kMissing},
      {4, MF_BYPOSITION | MF_GRAYED, kMissing},
  };
  HMENU file = fileMenu();
  for (const Step &s : steps) {
    SCOPED_TRACE(s.item);
    EXPECT_EQ(UINT(EnableMenuItem(file, s.item, s.flags)), s.returned);
  }
  EXPECT_EQ(GetMenuState(file, IDM_OPEN, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), UINT(MF_SEPARATOR));
  DestroyMenu(file);
}

TEST(Menu, GreyingAPopUpOnTheBarKeepsItsItemCount) {
  HMENU bar = programMenu();
  EXPECT_EQ(EnableMenuItem(bar, 0, MF_BYPOSITION | MF_GRAYED), 0);
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), 0x411u);
  EXPECT_EQ(EnableMenuItem(bar, IDM_FIND, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(GetMenuState(GetSubMenu(bar, 2), 0, MF_BYPOSITION), 0u);
  EXPECT_EQ(GetMenuState(bar, 4, MF_BYPOSITION), kMissing);
  EXPECT_EQ(GetMenuState(bar, 9999, MF_BYCOMMAND), kMissing);
  DestroyMenu(bar);
}

// The buffer "receives the null-terminated string", cut to what fits; the count excludes the NUL. Wine
// copies a string cut short without its NUL and counts one byte less than it copied: that answer is
// expected from Wine only. (Where a cut would fall inside a character is the stand-in's own rule, in
// menu_rules.cpp.)
TEST(Menu, GetMenuStringCopiesWhatFits) {
  struct Case {
    int size;
    const char *copied;
    int returned;
  };
  const Case cases[] = {{64, "Open(&O)", 8}, {9, "Open(&O)", 8}, {8, "Open(&O", 7}, {5, "Open", 4}, {1, "", 0}};
  const std::string full = "Open(&O)";
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IDM_OPEN, full.c_str());
  for (const Case &c : cases) {
    SCOPED_TRACE(c.size);
    char text[64];
    std::memset(text, 'z', sizeof text);
    EXPECT_EQ(GetMenuStringA(menu, 0, text, c.size, MF_BYPOSITION), c.returned);
    if (runningUnderWine() && c.size <= int(full.size()))
      EXPECT_EQ(std::string(text, size_t(c.size)), full.substr(0, size_t(c.size)));
    else
      EXPECT_STREQ(text, c.copied);
  }
  DestroyMenu(menu);

  HMENU bar = programMenu();
  char text[64];
  EXPECT_EQ(GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION), 10);  // "文件(&F)" is 10 bytes
  EXPECT_STREQ(text, "文件(&F)");
  char untouched[4] = "abc";
  EXPECT_EQ(GetMenuStringA(bar, 0, untouched, 0, MF_BYPOSITION), 10);
  EXPECT_STREQ(untouched, "abc");
  EXPECT_EQ(GetMenuStringA(bar, 0, nullptr, 0, MF_BYPOSITION), 10);
  SetLastError(0);
  EXPECT_EQ(GetMenuStringA(bar, 9999, untouched, 4, MF_BYCOMMAND), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_MENU_ITEM_NOT_FOUND));
  DestroyMenu(bar);
}

TEST(Menu, OutOfRangePositions) {
  HMENU bar = programMenu();
  EXPECT_EQ(GetSubMenu(bar, 4), nullptr);
  EXPECT_EQ(GetSubMenu(bar, -1), nullptr);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 4), kMissing);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), -1), kMissing);
  DestroyMenu(bar);
}

// Each call on a menu that is gone, or on a handle that is no menu, fails with its documented failure
// value. (The error code the stand-in sets is its own rule, in menu_rules.cpp.)
TEST(Menu, BadHandlesFail) {
  HMENU bar = programMenu();
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_TRUE(DestroyMenu(bar));
  char text[8];
  RECT rect;
  // Destroying the bar destroys its pop-ups; a window handle is no menu either.
  for (HMENU bad : {bar, file, HMENU(nullptr), reinterpret_cast<HMENU>(GetDesktopWindow())}) {
    EXPECT_EQ(GetMenuItemCount(bad), -1);
    EXPECT_EQ(GetMenuItemID(bad, 0), kMissing);
    EXPECT_EQ(GetSubMenu(bad, 0), nullptr);
    EXPECT_EQ(GetMenuState(bad, 0, MF_BYPOSITION), kMissing);
    EXPECT_EQ(EnableMenuItem(bad, 0, MF_BYPOSITION), -1);
    EXPECT_EQ(GetMenuStringA(bad, 0, text, sizeof text, MF_BYPOSITION), 0);
    EXPECT_FALSE(AppendMenuA(bad, MF_STRING, 1, "x"));
    EXPECT_FALSE(GetMenuItemRect(nullptr, bad, 0, &rect));
    EXPECT_FALSE(DestroyMenu(bad));
  }
}

TEST(Menu, LoadMenuFailures) {
  SetLastError(0);
  EXPECT_EQ(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(9999)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadMenuA(reinterpret_cast<HINSTANCE>(0x1234), MAKEINTRESOURCEA(IDR_MAINMENU)), nullptr);
}

TEST(Menu, AppendedSeparatorsAndPopUps) {
  HMENU bar = CreateMenu();
  HMENU popup = fileMenu();
  EXPECT_TRUE(AppendMenuA(bar, MF_POPUP | MF_GRAYED, UINT_PTR(popup), "文件(&F)"));
  EXPECT_TRUE(AppendMenuA(bar, MF_STRING, 0, nullptr));  // no text: a separator
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(GetSubMenu(bar, 0), popup);
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), 0x411u);
  EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION), kSeparatorState);
  EXPECT_EQ(GetMenuItemID(bar, 1), 0u);
  DestroyMenu(bar);
  EXPECT_EQ(GetMenuItemCount(popup), -1);
}

}  // namespace
