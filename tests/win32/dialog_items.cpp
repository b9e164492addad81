// The program's dialogs as their templates make them: the caption and the client area's size, and each
// control in template order with its class, identifier, styles, place and text.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr int kStaticId = 0xFFFF;  // IDC_STATIC (-1) as a DIALOG template's WORD identifier
constexpr int kIconSize = -1;      // the icon decides an icon control's size

struct Control {
  const char *className;
  int id;
  DWORD style;
  RECT units;  // x, y, width, height in dialog units
  const char *text;  // null: not checked here
};

struct Dialog {
  int id;
  const char *caption;
  int cx, cy;  // the client area in dialog units
  std::vector<Control> controls;
};

const Dialog kDialogs[] = {
    {IDD_ABOUT, "关于 Oxbyte", 186, 143,
     {{"Button", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, {68, 123, 50, 14}, "确定"},
      {"Static", kStaticId, kChild | WS_GROUP | SS_CENTER, {64, 24, 54, 20}, "Oxbyte v1.01.04"},
      {"Static", kStaticId, kChild | SS_ICON, {81, 3, kIconSize, kIconSize}, nullptr},
      {"Static", kStaticId, kChild | WS_GROUP | SS_CENTER, {48, 52, 83, 28}, nullptr},
      {"Button", kStaticId, kChild | BS_GROUPBOX, {30, 44, 120, 41}, ""},
      {"Button", kStaticId, kChild | BS_GROUPBOX, {29, 86, 121, 34}, ""},
      {"Static", kStaticId, kChild | WS_GROUP | SS_CENTER, {35, 95, 108, 21}, nullptr}}},
    {IDD_FIND, "查找", 186, 63,
     {{"Button", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, {123, 12, 50, 14}, "确定"},
      {"Button", IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON, {123, 34, 50, 14}, "取消"},
      {"Button", IDC_FIND_HEX, kChild | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, {11, 43, 26, 10}, "Hex"},
      {"Button", IDC_FIND_ASCII, kChild | WS_TABSTOP | BS_AUTORADIOBUTTON, {54, 43, 34, 10}, "ASCII"},
      {"Edit", IDC_FIND_TEXT, kChild | WS_TABSTOP | ES_AUTOHSCROLL, {7, 23, 86, 15}, ""},
      {"Static", kStaticId, kChild | WS_GROUP | SS_LEFT, {26, 9, 46, 11}, "待查找字符"}}},
    {IDD_CONFIRM, "Oxbyte", 120, 53,
     {{"Button", IDYES, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, {7, 31, 50, 14}, "是(&Y)"},
      {"Button", IDNO, kChild | WS_TABSTOP | BS_PUSHBUTTON, {63, 31, 50, 14}, "否(&N)"},
      {"Static", IDC_CONFIRM_TEXT, kChild | WS_GROUP | SS_LEFT, {7, 7, 106, 21}, "Question"}}},
    {IDD_GOTO, "跳转", 186, 50,
     {{"Button", IDOK, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, {129, 7, 50, 14}, "确定"},
      {"Button", IDCANCEL, kChild | WS_TABSTOP | BS_PUSHBUTTON, {129, 29, 50, 14}, "取消"},
      {"Edit", IDC_GOTO_TEXT, kChild | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL, {11, 29, 86, 14}, ""},
      {"Static", kStaticId, kChild | WS_GROUP | SS_LEFT, {15, 8, 78, 19}, "      跳转到:\n(十六进制以\"H\"结尾)"}}},
};

std::string classOf(HWND hwnd) {
  char name[32] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

void checkControls(HWND dialog, const Dialog &want) {
  EXPECT_EQ(textOf(dialog), want.caption);
  RECT client, size{0, 0, want.cx, want.cy};
  GetClientRect(dialog, &client);
  MapDialogRect(dialog, &size);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  HWND child = GetWindow(dialog, GW_CHILD);
  for (size_t i = 0; i < want.controls.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
    const Control &c = want.controls[i];
    SCOPED_TRACE(i);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(classOf(child), c.className);
    EXPECT_EQ(GetDlgCtrlID(child), c.id);
    // The bordered edit boxes of a template are drawn sunken: their border becomes WS_EX_CLIENTEDGE. A
    // DIALOG template's controls do not tell their parent when they are made or destroyed.
    bool edit = c.className == std::string("Edit");
    EXPECT_EQ(DWORD(GetWindowLongA(child, GWL_STYLE)), c.style);
    EXPECT_EQ(DWORD(GetWindowLongA(child, GWL_EXSTYLE)), WS_EX_NOPARENTNOTIFY | (edit ? WS_EX_CLIENTEDGE : 0u));
    // The corner and the size are each converted to pixels, so the size does not depend on where the
    // control stands.
    RECT corner{c.units.left, c.units.top, 0, 0}, size{0, 0, c.units.right, c.units.bottom};
    MapDialogRect(dialog, &corner);
    MapDialogRect(dialog, &size);
    RECT place = placeOf(child);
    EXPECT_EQ(place.left, corner.left);
    EXPECT_EQ(place.top, corner.top);
    if (c.units.right != kIconSize) {
      EXPECT_EQ(place.right - place.left, size.right);
      EXPECT_EQ(place.bottom - place.top, size.bottom);
    }
    if (c.text) {
      EXPECT_EQ(textOf(child), c.text);
    }
  }
  EXPECT_EQ(child, nullptr) << "no control beyond the template's";
}

TEST(DialogItems, TheProgramsDialogsHoldTheirTemplatesControls) {
  OwnerWindow owner;
  for (const Dialog &want : kDialogs) {
    SCOPED_TRACE(want.caption);
    script() = DialogScript{};
    HINSTANCE instance = want.id == IDD_ABOUT ? GetModuleHandleA(nullptr) : nullptr;
    runProgramDialog(want.id, owner.hwnd(), {run([&] { checkControls(GetActiveWindow(), want); })}, 0, instance);
  }
}

// The About box shows the program's icon and three lines about the program.
TEST(DialogItems, TheAboutBoxShowsTheIconAndThreeLinesOfDescription) {
  OwnerWindow owner;
  script() = DialogScript{};
  runProgramDialog(IDD_ABOUT, owner.hwnd(), {run([&] {
                     HWND dialog = GetActiveWindow();
                     HWND icon = GetWindow(GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT);
                     EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
                     std::string description = textOf(GetWindow(icon, GW_HWNDNEXT));
                     EXPECT_EQ(description.rfind("免费的十六进制编辑器\n", 0), 0u) << description;
                     EXPECT_EQ(std::count(description.begin(), description.end(), '\n'), 2);
                   })},
                   0, GetModuleHandleA(nullptr));
}

}  // namespace
