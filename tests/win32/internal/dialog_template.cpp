// The stand-in's dialog template reader: the program's four dialogs, a DIALOGEX template and broken templates.
#include "user32/dialog_template.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "kernel32/resource.h"
#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82;
constexpr DWORD kStaticId = 0xFFFF;  // IDC_STATIC (-1) as a DIALOG template's WORD id
constexpr int kAnySize = -1;         // windres stores no size for ICON controls

struct Control {
  uint16_t atom;
  DWORD id;
  DWORD style;
  int x, y, cx, cy;
  const char *text;  // null: the text is checked separately
};

struct Dialog {
  int id;
  const char *caption;
  DWORD style;
  int cx, cy;
  std::vector<Control> controls;
};

const Dialog kDialogs[] = {
    {IDD_ABOUT, "关于 Oxbyte", DS_SETFONT | DS_MODALFRAME | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU, 186, 143,
     {{kButton, IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 68, 123, 50, 14, "确定"},
      {kStatic, kStaticId, kChild | WS_GROUP | SS_CENTER, 64, 24, 54, 20, "Oxbyte v1.01.04"},
      {kStatic, kStaticId, kChild | SS_ICON, 81, 3, kAnySize, kAnySize, nullptr},
      {kStatic, kStaticId, kChild | WS_GROUP | SS_CENTER, 48, 52, 83, 28, nullptr},
      {kButton, kStaticId, kChild | BS_GROUPBOX, 30, 44, 120, 41, ""},
      {kButton, kStaticId, kChild | BS_GROUPBOX, 29, 86, 121, 34, ""},
      {kStatic, kStaticId, kChild | WS_GROUP | SS_CENTER, 35, 95, 108, 21, nullptr}}},
    {IDD_FIND, "查找", DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 186, 63,
     {{kButton, IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 123, 12, 50, 14, "确定"},
      {kButton, IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON, 123, 34, 50, 14, "取消"},
      {kButton, IDC_FIND_HEX, kChild | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 11, 43, 26, 10, "Hex"},
      {kButton, IDC_FIND_ASCII, kChild | WS_TABSTOP | BS_AUTORADIOBUTTON, 54, 43, 34, 10, "ASCII"},
      {kEdit, IDC_FIND_TEXT, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 23, 86, 15, ""},
      {kStatic, kStaticId, kChild | WS_GROUP | SS_LEFT, 26, 9, 46, 11, "待查找字符"}}},
    {IDD_CONFIRM, "Oxbyte", DS_SETFONT | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION, 120, 53,
     {{kButton, IDYES, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 31, 50, 14, "是(&Y)"},
      {kButton, IDNO, kChild | WS_TABSTOP | BS_PUSHBUTTON, 63, 31, 50, 14, "否(&N)"},
      {kStatic, IDC_CONFIRM_TEXT, kChild | WS_GROUP | SS_LEFT, 7, 7, 106, 21, "Question"}}},
    {IDD_GOTO, "跳转", DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 186, 50,
     {{kButton, IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 129, 7, 50, 14, "确定"},
      {kButton, IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON, 129, 29, 50, 14, "取消"},
      {kEdit, IDC_GOTO_TEXT, kChild | WS_BORDER | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL, 11, 29, 86, 14, ""},
      {kStatic, kStaticId, kChild | WS_GROUP | SS_LEFT, 15, 8, 78, 19, "      跳转到:\n(十六进制以\"H\"结尾)"}}},
};

std::span<const uint8_t> dialogBytes(int id) { return win32::findResourceData(RT_DIALOG, MAKEINTRESOURCEA(id)); }

TEST(DialogTemplate, ProgramDialogs) {
  for (const Dialog &want : kDialogs) {
    SCOPED_TRACE(want.caption);
    std::optional<win32::DialogTemplate> dialog = win32::parseDialogTemplate(dialogBytes(want.id));
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->extended);
    EXPECT_EQ(dialog->caption, want.caption);
    EXPECT_EQ(dialog->style, want.style);
    EXPECT_EQ(dialog->exStyle, 0u);
    EXPECT_EQ(dialog->x, 0);
    EXPECT_EQ(dialog->y, 0);
    EXPECT_EQ(dialog->cx, want.cx);
    EXPECT_EQ(dialog->cy, want.cy);
    EXPECT_TRUE(dialog->menu.empty());
    EXPECT_TRUE(dialog->windowClass.empty());
    EXPECT_EQ(dialog->pointSize, 9);
    EXPECT_EQ(dialog->fontName, "宋体");
    ASSERT_EQ(dialog->items.size(), want.controls.size());
    for (size_t i = 0; i < want.controls.size(); ++i) {
      const win32::DialogItemTemplate &item = dialog->items[i];
      const Control &control = want.controls[i];
      SCOPED_TRACE(i);
      EXPECT_TRUE(item.windowClass.isOrdinal);
      EXPECT_EQ(item.windowClass.ordinal, control.atom);
      EXPECT_EQ(item.id, control.id);
      EXPECT_EQ(item.style, control.style);
      EXPECT_EQ(item.exStyle, 0u);
      EXPECT_EQ(item.x, control.x);
      EXPECT_EQ(item.y, control.y);
      if (control.cx != kAnySize) {
        EXPECT_EQ(item.cx, control.cx);
        EXPECT_EQ(item.cy, control.cy);
      }
      if (control.text != nullptr) {
        EXPECT_EQ(item.text.name, control.text);
      }
      EXPECT_TRUE(item.creationData.empty());
    }
  }
}

TEST(DialogTemplate, AboutBoxShowsTheIconAndThreeLinesOfDescription) {
  std::optional<win32::DialogTemplate> about = win32::parseDialogTemplate(dialogBytes(IDD_ABOUT));
  ASSERT_TRUE(about);
  const win32::NameOrOrdinal &icon = about->items[2].text;
  EXPECT_TRUE(icon.isOrdinal);
  EXPECT_EQ(icon.ordinal, IDI_OXBYTE);
  const std::string &description = about->items[3].text.name;
  EXPECT_EQ(description.rfind("免费的十六进制编辑器\n", 0), 0u);
  EXPECT_EQ(std::count(description.begin(), description.end(), '\n'), 2);
  EXPECT_FALSE(about->items[6].text.name.empty());
}

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
  for (const Dialog &dialog : kDialogs) templates.push_back(dialogBytes(dialog.id));
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
