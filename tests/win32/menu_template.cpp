// Menu templates: the program's menu bar and broken templates.
#include "user32/menu_template.h"

#include <gtest/gtest.h>

#include "kernel32/resource.h"
#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

std::span<const uint8_t> mainMenuBytes() { return win32::findResourceData(RT_MENU, MAKEINTRESOURCEA(IDR_MAINMENU)); }

TEST(MenuTemplate, ProgramMenuBar) {
  struct Item {
    const char *text;  // null: separator
    uint16_t id;
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
  std::optional<std::vector<win32::MenuItemTemplate>> menu = win32::parseMenuTemplate(mainMenuBytes());
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), std::size(expected));
  for (size_t p = 0; p < std::size(expected); ++p) {
    const win32::MenuItemTemplate &popup = (*menu)[p];
    SCOPED_TRACE(expected[p].text);
    EXPECT_TRUE(popup.isPopup());
    EXPECT_FALSE(popup.isGrayed());
    EXPECT_EQ(popup.text, expected[p].text);
    ASSERT_EQ(popup.children.size(), expected[p].items.size());
    for (size_t i = 0; i < popup.children.size(); ++i) {
      const win32::MenuItemTemplate &item = popup.children[i];
      const Item &want = expected[p].items[i];
      EXPECT_FALSE(item.isPopup()) << i;
      EXPECT_EQ(item.isSeparator(), want.text == nullptr) << i;
      if (want.text != nullptr) {
        EXPECT_EQ(item.text, want.text) << i;
      }
      EXPECT_EQ(item.id, want.id) << i;
      EXPECT_EQ(item.isGrayed(), want.grayed) << i;
    }
  }
}

TEST(MenuTemplate, NestedPopupsAndExplicitSeparators) {
  ByteBuilder bytes;
  bytes.u16(0).u16(0);
  bytes.u16(MF_POPUP).text(u"Outer");
  bytes.u16(MF_POPUP | MF_GRAYED).text(u"Inner");
  bytes.u16(MF_CHECKED | MF_END).u16(7).text(u"Deep");
  bytes.u16(MF_SEPARATOR | MF_END).u16(0).text(u"");
  bytes.u16(MF_END).u16(9).text(u"Last");
  std::optional<std::vector<win32::MenuItemTemplate>> menu = win32::parseMenuTemplate(bytes.span());
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->size(), 2u);
  const win32::MenuItemTemplate &outer = (*menu)[0];
  ASSERT_EQ(outer.children.size(), 2u);
  EXPECT_TRUE(outer.children[0].isGrayed());
  ASSERT_EQ(outer.children[0].children.size(), 1u);
  EXPECT_EQ(outer.children[0].children[0].flags, MF_CHECKED);
  EXPECT_EQ(outer.children[0].children[0].id, 7);
  EXPECT_TRUE(outer.children[1].isSeparator());
  EXPECT_EQ((*menu)[1].text, "Last");
}

TEST(MenuTemplate, RefusesBrokenTemplates) {
  ByteBuilder extended;
  extended.u16(1).u16(4).u32(0).u16(MF_END).u16(1).text(u"x");
  ByteBuilder headerPastEnd;
  headerPastEnd.u16(0).u16(100).u16(MF_END).u16(1).text(u"x");
  ByteBuilder tooDeep;
  tooDeep.u16(0).u16(0);
  for (int i = 0; i < 100; ++i) tooDeep.u16(MF_POPUP | MF_END).text(u"p");
  for (const ByteBuilder *bytes : {&extended, &headerPastEnd, &tooDeep}) {
    EXPECT_FALSE(win32::parseMenuTemplate(bytes->span()));
  }
  std::span<const uint8_t> real = mainMenuBytes();
  for (size_t length = 0; length < real.size(); ++length) {
    std::vector<uint8_t> cut(real.begin(), real.begin() + length);
    EXPECT_FALSE(win32::parseMenuTemplate(cut)) << length;
  }
}

}  // namespace
