// The stand-in's own answers where Windows documents none: where a text cut short for a small buffer
// ends, and the error a bad handle leaves. Wine answers otherwise (it fills the buffer without ending the
// text, and leaves most of these errors unset), so only the stand-in is held to them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "resources/resource.h"

namespace {

// A text cut short for a small buffer never ends in half a character.
TEST(MenuTextRules, ACutTextKeepsWholeCharacters) {
  struct Case {
    int size;
    const char *copied;
    int returned;
  } cases[] = {{10, "文件(&F", 9}, {5, "文", 3}, {4, "文", 3}, {3, "", 0}};
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IDM_OPEN, "文件(&F)");
  for (const Case &c : cases) {
    char text[16];
    std::memset(text, 'z', sizeof text);
    EXPECT_EQ(GetMenuStringA(menu, 0, text, c.size, MF_BYPOSITION), c.returned) << c.size;
    EXPECT_STREQ(text, c.copied) << c.size;
  }
  DestroyMenu(menu);
}

// Every call on a menu that is gone, on a handle that is no menu, or with a pop-up handle that is no
// menu, leaves ERROR_INVALID_MENU_HANDLE; such a pop-up is not appended.
TEST(MenuTextRules, BadHandlesLeaveInvalidMenuHandle) {
  HMENU gone = CreatePopupMenu();
  DestroyMenu(gone);
  char text[8];
  RECT rect;
  for (HMENU bad : {gone, HMENU(nullptr), reinterpret_cast<HMENU>(GetDesktopWindow())}) {
    auto leavesCode = [](auto call) {
      SetLastError(0);
      call();
      EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MENU_HANDLE));
    };
    leavesCode([&] { GetMenuItemCount(bad); });
    leavesCode([&] { GetMenuItemID(bad, 0); });
    leavesCode([&] { GetSubMenu(bad, 0); });
    leavesCode([&] { GetMenuState(bad, 0, MF_BYPOSITION); });
    leavesCode([&] { EnableMenuItem(bad, 0, MF_BYPOSITION); });
    leavesCode([&] { GetMenuStringA(bad, 0, text, sizeof text, MF_BYPOSITION); });
    leavesCode([&] { AppendMenuA(bad, MF_STRING, 1, "x"); });
    leavesCode([&] { GetMenuItemRect(nullptr, bad, 0, &rect); });
    leavesCode([&] { DestroyMenu(bad); });
  }
  HMENU bar = CreateMenu();
  SetLastError(0);
  EXPECT_FALSE(AppendMenuA(bar, MF_POPUP, 0x1234, "bad pop-up"));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenuItemCount(bar), 0);
  DestroyMenu(bar);
}

}  // namespace
