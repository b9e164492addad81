// The rules menus follow beyond drawing them: the access key read from a label, where a text cut short
// for a small buffer ends, what a bad menu handle leaves, and a pop-up item whose handle is no menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/resource.h"
#include "support/wine.h"
#include "win32/menu_test_support.h"

namespace {

// Typed in an open drop-down, an item's access key chooses it; a doubled ampersand is a plain one.
// Windows documents no answer beyond the single ampersand; Wine reads labels the same way.
TEST(MenuRules, TheAccessKeyIsTheCharacterAfterASingleAmpersand) {
  struct Case {
    const char *label;
    char typed;
    bool chosen;
  } cases[] = {{"文件(&F)", 'f', true}, {"&open", 'O', true},  {"a && b", '&', false}, {"a && b", 'b', false},
               {"no key", 'k', false},  {"end&", '&', false}, {"&&&x", 'x', true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    menu_test::MenuFrame frame(nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, IDM_OPEN, c.label);
    frame.script.push_back([&] { PostMessageA(frame.hwnd, WM_CHAR, WPARAM(c.typed), 1); });
    UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, frame.hwnd, nullptr));
    DestroyMenu(menu);
    EXPECT_EQ(chosen, c.chosen ? UINT(IDM_OPEN) : 0u);
  }
}

// A text cut short for a small buffer is ended with a NUL, and the answer counts the bytes before it:
// Microsoft's GetMenuString page says so. Where the cut falls inside a character it does not say; the
// stand-in keeps whole characters. Wine ends no cut text: it writes whole characters as far as they fit
// in the whole buffer and answers one less than the buffer's size.
TEST(MenuRules, ACutTextIsEndedAndKeepsWholeCharacters) {
  struct Case {
    int size;
    const char *copied;
    const char *wineWrites;
  } cases[] = {{10, "文件(&F", "文件(&F)"}, {5, "文", "文"}, {4, "文", "文"}, {3, "", "文"}};
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, IDM_OPEN, "文件(&F)");
  for (const Case &c : cases) {
    SCOPED_TRACE(c.size);
    char text[16];
    std::memset(text, 'z', sizeof text);
    int returned = GetMenuStringA(menu, 0, text, c.size, MF_BYPOSITION);
    if (runningUnderWine()) {
      size_t written = std::strlen(c.wineWrites);
      EXPECT_EQ(returned, c.size - 1);
      EXPECT_EQ(std::string(text, written), c.wineWrites);
      EXPECT_EQ(text[written], 'z');
    } else {
      EXPECT_EQ(returned, int(std::strlen(c.copied)));
      EXPECT_STREQ(text, c.copied);
    }
  }
  DestroyMenu(menu);
}

// A menu that is gone, no handle, and a window's handle are no menus. TrackPopupMenu leaves
// ERROR_INVALID_MENU_HANDLE for each: Wine's menu tests hold Windows to it for no handle and a window's
// handle. Which error the other calls leave, Windows documents nowhere; the stand-in leaves the same one,
// Wine leaves the error as it was, except that GetMenuString reports the item missing.
TEST(MenuRules, BadHandlesLeaveInvalidMenuHandle) {
  HMENU gone = CreatePopupMenu();
  DestroyMenu(gone);
  HWND owner = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  char text[8];
  RECT rect;
  const DWORD unknown = runningUnderWine() ? 0 : DWORD(ERROR_INVALID_MENU_HANDLE);
  for (HMENU bad : {gone, HMENU(nullptr), reinterpret_cast<HMENU>(GetDesktopWindow())}) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(bad));
    auto leaves = [](DWORD code, auto call) {
      SetLastError(0);
      call();
      EXPECT_EQ(GetLastError(), code);
    };
    leaves(ERROR_INVALID_MENU_HANDLE, [&] { TrackPopupMenu(bad, TPM_RETURNCMD, 0, 0, 0, owner, nullptr); });
    leaves(unknown, [&] { GetMenuItemCount(bad); });
    leaves(unknown, [&] { GetMenuItemID(bad, 0); });
    leaves(unknown, [&] { GetSubMenu(bad, 0); });
    leaves(unknown, [&] { GetMenuState(bad, 0, MF_BYPOSITION); });
    leaves(unknown, [&] { EnableMenuItem(bad, 0, MF_BYPOSITION); });
    leaves(runningUnderWine() ? DWORD(ERROR_MENU_ITEM_NOT_FOUND) : unknown,
           [&] { GetMenuStringA(bad, 0, text, sizeof text, MF_BYPOSITION); });
    leaves(unknown, [&] { AppendMenuA(bad, MF_STRING, 1, "x"); });
    leaves(unknown, [&] { GetMenuItemRect(nullptr, bad, 0, &rect); });
    leaves(unknown, [&] { DestroyMenu(bad); });
  }
  DestroyWindow(owner);
}

// A pop-up item whose handle is no menu is appended as a plain item with that value as its identifier,
// as Wine's menu tests hold Windows to.
TEST(MenuRules, APopUpItemWithoutAMenuIsAPlainItem) {
  HMENU bar = CreateMenu();
  EXPECT_TRUE(AppendMenuA(bar, MF_POPUP, 0x1234, "bad pop-up"));
  EXPECT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(GetMenuItemID(bar, 0), 0x1234u);
  EXPECT_EQ(GetSubMenu(bar, 0), nullptr);
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), UINT(MF_STRING));
  char text[16] = "";
  GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "bad pop-up");
  DestroyMenu(bar);
}

}  // namespace
