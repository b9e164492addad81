// The stand-in's dialog template reader: a DIALOGEX template, the class names of the predefined atoms, and
// broken templates.
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

TEST(DialogTemplate, ClassNamesOfPredefinedAtoms) {
  const char *expected[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  win32::DialogItemTemplate item;
  item.windowClass.isOrdinal = true;
  for (uint16_t atom = 0x80; atom <= 0x85; ++atom) {
    item.windowClass.ordinal = atom;
    EXPECT_EQ(item.className(), expected[atom - 0x80]);
  }
  item.windowClass = {false, 0, "oxpanel"};
  EXPECT_EQ(item.className(), "oxpanel");
}

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

TEST(DialogTemplate, ExtendedTemplate) {
  ByteBuilder bytes = extendedTemplate();
  std::optional<win32::DialogTemplate> dialog = win32::parseDialogTemplate(bytes.span());
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->extended);
  EXPECT_EQ(dialog->helpId, 77u);
  EXPECT_EQ(dialog->exStyle, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
  EXPECT_EQ(dialog->cx, 200);
  EXPECT_EQ(dialog->menu.ordinal, 5);
  EXPECT_EQ(dialog->windowClass.name, "MyDialog");
  EXPECT_EQ(dialog->caption, "Caption");
  EXPECT_EQ(dialog->pointSize, 12);
  EXPECT_EQ(dialog->weight, 700);
  EXPECT_TRUE(dialog->italic);
  EXPECT_EQ(dialog->charset, 134);
  EXPECT_EQ(dialog->fontName, "Font");
  ASSERT_EQ(dialog->items.size(), 2u);
  EXPECT_EQ(dialog->items[0].helpId, 5u);
  EXPECT_EQ(dialog->items[0].id, 0xFFFFFFFFu);
  EXPECT_EQ(dialog->items[0].text.ordinal, IDI_OXBYTE);
  EXPECT_EQ(dialog->items[0].creationData, (std::vector<uint8_t>{0xA, 0xB, 0xC}));
  EXPECT_EQ(dialog->items[1].x, -5);
  EXPECT_EQ(dialog->items[1].id, 1234u);
  EXPECT_EQ(dialog->items[1].className(), "custom");
  EXPECT_EQ(dialog->items[1].text.name, "Text");
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
