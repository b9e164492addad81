// How the program's dialogs and a warning box look: a few telling pixels in the system's colours, and
// screenshots in $OXBYTE_SCREENSHOT_DIR when it is set.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

COLORREF face() { return GetSysColor(COLOR_BTNFACE); }

// A rectangle of dialog units in the dialog's pixels.
RECT pixelsOf(HWND dialog, RECT units) {
  MapDialogRect(dialog, &units);
  return units;
}

class DialogLookTest : public testing::Test {
 protected:
  void SetUp() override { script() = DialogScript{}; }
  OwnerWindow owner;
};

// The program opens the About box with its module, which supplies the icon.
TEST_F(DialogLookTest, AboutBoxShowsTheProgramIcon) {
  runProgramDialog(IDD_ABOUT, owner.hwnd(), {run([] {
                     HWND dialog = GetActiveWindow();
                     saveScreenshot(dialog, "about");
                     RECT iconAt = pixelsOf(dialog, {81, 3, 0, 0});
                     HWND icon = ChildWindowFromPoint(dialog, POINT{iconAt.left + 16, iconAt.top + 16});
                     ASSERT_NE(icon, dialog);
                     EXPECT_GT(countPixelsNot(icon, RECT{0, 0, 32, 32}, face()), 200);
                     EXPECT_GT(countPixelsNot(dialog, pixelsOf(dialog, {64, 24, 118, 44}), face()), 50)
                         << "the version line";
                   })},
                   0, GetModuleHandleA(nullptr));
}

TEST_F(DialogLookTest, FindAndGoTo) {
  script().initResult = FALSE;
  script().focusOnInit = IDC_FIND_TEXT;
  script().onInit = [](HWND dialog, LPARAM) {
    CheckRadioButton(dialog, IDC_FIND_HEX, IDC_FIND_ASCII, IDC_FIND_ASCII);
    SetDlgItemTextA(dialog, IDC_FIND_TEXT, "PE\xE4\xB8\xAD");
    SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
  };
  runProgramDialog(IDD_FIND, owner.hwnd(), {run([] {
                     HWND dialog = GetActiveWindow(), edit = GetDlgItem(dialog, IDC_FIND_TEXT);
                     saveScreenshot(dialog, "find");
                     // The sunken edge of the edit box, its window-coloured inside, the selected text
                     // on the highlight.
                     RECT inside;
                     GetClientRect(edit, &inside);
                     EXPECT_EQ(clientPixel(edit, -2, -2), GetSysColor(COLOR_BTNSHADOW));
                     EXPECT_EQ(clientPixel(edit, -1, -1), GetSysColor(COLOR_3DDKSHADOW));
                     EXPECT_EQ(clientPixel(edit, 0, 0), GetSysColor(COLOR_WINDOW));
                     EXPECT_GT(countPixels(edit, inside, GetSysColor(COLOR_HIGHLIGHT)), 100);
                   })});
  script() = DialogScript{};
  script().onInit = [](HWND dialog, LPARAM) { SetDlgItemTextA(dialog, IDC_GOTO_TEXT, "1FH"); };
  runProgramDialog(IDD_GOTO, owner.hwnd(), {run([] {
                     HWND dialog = GetActiveWindow();
                     saveScreenshot(dialog, "goto");
                     RECT labelAt = pixelsOf(dialog, {15, 8, 0, 0});
                     HWND label = ChildWindowFromPoint(dialog, POINT{labelAt.left + 4, labelAt.top + 4});
                     RECT lines;
                     GetClientRect(label, &lines);
                     const int middle = lines.bottom / 2;
                     EXPECT_GT(countPixelsNot(label, RECT{0, 0, lines.right, middle}, face()), 30) << "first line";
                     EXPECT_GT(countPixelsNot(label, RECT{0, middle, lines.right, lines.bottom}, face()), 30)
                         << "second line";
                   })});
}

TEST_F(DialogLookTest, ConfirmationAndWarning) {
  script().initResult = FALSE;
  script().focusOnInit = IDNO;
  script().ending = {IDYES, IDNO};
  script().onInit = [](HWND dialog, LPARAM param) {
    SetDlgItemTextA(dialog, IDC_CONFIRM_TEXT, reinterpret_cast<const char *>(param));
  };
  const char *question = "\xE4\xBF\x9D\xE5\xAD\x98\xE4\xBF\xAE\xE6\x94\xB9\xE5\x88\xB0 report.bin?";
  runProgramDialog(IDD_CONFIRM, owner.hwnd(), {run([] {
                     HWND dialog = GetActiveWindow(), no = GetDlgItem(dialog, IDNO);
                     saveScreenshot(dialog, "confirm");
                     // No has the focus (a dotted rectangle of inverted face) but Yes keeps the default frame.
                     RECT button;
                     GetClientRect(no, &button);
                     const COLORREF invertedFace = RGB(255 - GetRValue(face()), 255 - GetGValue(face()),
                                                       255 - GetBValue(face()));
                     EXPECT_EQ(clientPixel(GetDlgItem(dialog, IDYES), 0, 0), GetSysColor(COLOR_WINDOWFRAME));
                     EXPECT_EQ(clientPixel(no, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
                     EXPECT_GT(countPixels(no, button, invertedFace), 20);
                   })},
                   reinterpret_cast<LPARAM>(question));
  OnDialogActivated answer([](HWND box) {
    play(box, {run([box] {
                 saveScreenshot(box, "warning");
                 auto yellow = [](COLORREF c) {
                   return GetRValue(c) > 200 && GetGValue(c) > 160 && GetBValue(c) < 100;  // the sign's colour
                 };
                 EXPECT_GT(countPixelsWhere(GetWindow(box, GW_CHILD), RECT{0, 0, 32, 32}, yellow), 100);
               }),
               key(VK_RETURN)});
  });
  MessageBoxA(
      owner.hwnd(),
      "\xE6\x97\xA0\xE6\xB3\x95\xE5\x86\x99\xE5\x85\xA5\xE6\x96\x87\xE4\xBB\xB6:(\xE6\x97\xA0\xE6\xA0\x87\xE9\xA2\x98)",
      "Oxbyte", MB_ICONWARNING);
}

}  // namespace
