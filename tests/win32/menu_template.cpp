// Menu templates: the program's menu bar as LoadMenuA reads it, and a hand-made template with nested
// pop-ups and explicit separators.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

std::string textOf(HMENU menu, UINT position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, int(sizeof text), MF_BYPOSITION);
  return text;
}

TEST(MenuTemplate, ProgramMenuBar) {
  struct Item {
    const char *text;  // null: separator
    UINT id;
    bool grayed;
  };
  struct Popup {
    const char *text;
    std::vector<Item> items;
  };
  const Popup expected[] = {
      {"文件(&F)", {{"打开(&O)", IDM_OPEN, false}, {"保存(&S)", IDM_SAVE, true}, {nullptr, 0, false},
                    {"退出(&X)", IDM_EXIT, false}}},
      {"编辑(&E)", {{"撤销(&U)\tCtrl+Z", IDM_REVERT, true}}},
      {"查找(&S)", {{"查找(&F)\tCtrl-F", IDM_FIND, true}, {"查找下一个\tF3", IDM_FIND_NEXT, true},
                    {nullptr, 0, false}, {"跳到(&G)\tCtrl+G", IDM_GOTO, true}}},
      {"帮助(&H)", {{"关于Oxbytepad", IDM_ABOUT, false}}},
  };
  HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), int(std::size(expected)));
  for (UINT p = 0; p < std::size(expected); ++p) {
    SCOPED_TRACE(expected[p].text);
    UINT state = GetMenuState(bar, p, MF_BYPOSITION);
    EXPECT_TRUE(state & MF_POPUP);
    EXPECT_FALSE(state & MF_GRAYED);
    EXPECT_EQ(textOf(bar, p), expected[p].text);
    HMENU popup = GetSubMenu(bar, int(p));
    ASSERT_EQ(GetMenuItemCount(popup), int(expected[p].items.size()));
    for (UINT i = 0; i < expected[p].items.size(); ++i) {
      const Item &want = expected[p].items[i];
      UINT itemState = GetMenuState(popup, i, MF_BYPOSITION);
      EXPECT_FALSE(itemState & MF_POPUP) << i;
      EXPECT_EQ((itemState & MF_SEPARATOR) != 0, want.text == nullptr) << i;
      if (want.text == nullptr) continue;
      EXPECT_EQ(textOf(popup, i), want.text) << i;
      EXPECT_EQ(GetMenuItemID(popup, int(i)), want.id) << i;
      EXPECT_EQ((itemState & MF_GRAYED) != 0, want.grayed) << i;
    }
  }
  DestroyMenu(bar);
}

TEST(MenuTemplate, NestedPopupsAndExplicitSeparators) {
  ByteBuilder bytes;
  bytes.u16(0).u16(0);
  bytes.u16(MF_POPUP).text(u"Outer");
  bytes.u16(MF_POPUP | MF_GRAYED).text(u"Inner");
  bytes.u16(MF_CHECKED | MF_END).u16(7).text(u"Deep");
  bytes.u16(MF_SEPARATOR | MF_END).u16(0).text(u"");
  bytes.u16(MF_END).u16(9).text(u"Last");
  HMENU menu = LoadMenuIndirectA(bytes.bytes.data());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  HMENU outer = GetSubMenu(menu, 0);
  ASSERT_EQ(GetMenuItemCount(outer), 2);
  // A pop-up's state carries its item count in the second byte.
  EXPECT_EQ(GetMenuState(outer, 0, MF_BYPOSITION), UINT(1 << 8 | MF_POPUP | MF_GRAYED));
  HMENU inner = GetSubMenu(outer, 0);
  ASSERT_EQ(GetMenuItemCount(inner), 1);
  EXPECT_EQ(GetMenuState(inner, 0, MF_BYPOSITION), UINT(MF_CHECKED));
  EXPECT_EQ(GetMenuItemID(inner, 0), 7u);
  EXPECT_TRUE(GetMenuState(outer, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(textOf(menu, 1), "Last");
  EXPECT_EQ(GetMenuItemID(menu, 1), 9u);
  DestroyMenu(menu);
}

}  // namespace
