// The stand-in's dialog template reader: the menu and font of a DIALOGEX template, and broken templates.
#include "user32/dialog_template.h"

#include <gtest/gtest.h>

#include "kernel32/resource.h"
#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr uint16_t kButton = 0x80, kStatic = 0x82;

// The program's dialogs: what their controls become is checked where the dialogs are made.
const int kProgramDialogs[] = {IDD_ABOUT, IDD_FIND, IDD_CONFIRM, IDD_GOTO};

std::span<const uint8_t> dialogBytes(int id) { return win32::findResourceData(RT_DIALOG, MAKEINTRESOURCEA(id)); }

ByteBuilder extendedTemplate() {
  ByteBuilder bytes;
  bytes.u16(1).u16(0xFFFF).u32(77).u32(WS_EX_DLGMODALFRAME).u32(DS_SETFONT | WS_POPUP).u16(2);
  bytes.u16(10).u16(20).u16(200).u16(100);
  bytes.ordinal(5).text(u"MyDialog").text(u"Caption");
  bytes.u16(12).u16(700).u8(1).u8(134).text(u"Font");
  bytes.align4().u32(5).u32(0).u32(kChild | SS_ICON).u16(1).u16(2).u16(3).u16(4).u32(0xFFFFFFFF);
  bytes.ordinal(kStatic).ordinal(IDI_OXBYTE).u16(3).u8(0xA).u8(0xB).u8(0xC);
  bytes.align4().u32(0).u32(0).u32(kChild).u16(0xFFFB).u16(6).u16(7).u16(8).u32(1234);
  bytes.text(u"custom").text(u"Text").u16(0);
  return bytes;
}

// What the stand-in makes no window state of, so that no public call shows it: the menu and the font a
// template names (the portable tests check the rest, through the dialogs made: dialog_indirect.cpp).
TEST(DialogTemplate, MenuAndFontOfAnExtendedTemplate) {
  ByteBuilder bytes = extendedTemplate();
  std::optional<win32::DialogTemplate> dialog = win32::parseDialogTemplate(bytes.span());
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->extended);
  EXPECT_TRUE(dialog->menu.isOrdinal);
  EXPECT_EQ(dialog->menu.ordinal, 5);
  EXPECT_EQ(dialog->pointSize, 12);
  EXPECT_EQ(dialog->weight, 700);
  EXPECT_TRUE(dialog->italic);
  EXPECT_EQ(dialog->charset, 134);
  EXPECT_EQ(dialog->fontName, "Font");
  ASSERT_EQ(dialog->items.size(), 2u);
}

TEST(DialogTemplate, RefusesEveryTruncation) {
  ByteBuilder extended = extendedTemplate();
  std::vector<std::span<const uint8_t>> templates = {extended.span()};
  for (int id : kProgramDialogs) templates.push_back(dialogBytes(id));
  for (std::span<const uint8_t> whole : templates) {
    for (size_t length = 0; length < whole.size(); ++length) {
      std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
      EXPECT_FALSE(win32::parseDialogTemplate(cut)) << length << " of " << whole.size();
    }
  }
}

TEST(DialogTemplate, RefusesCreationDataPastTheEnd) {
  ByteBuilder bytes;
  bytes.u32(WS_POPUP).u32(0).u16(1).u16(0).u16(0).u16(10).u16(10).u16(0).u16(0).text(u"");
  bytes.align4().u32(kChild).u32(0).u16(0).u16(0).u16(5).u16(5).u16(1).ordinal(kButton).text(u"x").u16(200).u16(0);
  EXPECT_FALSE(win32::parseDialogTemplate(bytes.span()));
}

}  // namespace
