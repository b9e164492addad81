// How the program's dialogs and a warning box look, rendered headless: a few telling pixels, and PNG
// screenshots in $OXBYTE_SCREENSHOT_DIR when it is set.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

constexpr COLORREF kFace = RGB(192, 192, 192), kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

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
                     HWND icon = ChildWindowFromPoint(dialog, POINT{81 * 2 + 16, 3 * 2 + 16});
                     ASSERT_NE(icon, dialog);
                     EXPECT_GT(countPixelsNot(icon, RECT{0, 0, 32, 32}, kFace), 200);
                     EXPECT_GT(countPixels(dialog, RECT{128, 48, 236, 88}, kBlack), 50) << "the version line";
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
                     // The sunken edge of the edit box, its white inside, the selected text on navy.
                     EXPECT_EQ(clientPixel(edit, -2, -2), RGB(128, 128, 128));
                     EXPECT_EQ(clientPixel(edit, -1, -1), kBlack);
                     EXPECT_EQ(clientPixel(edit, 0, 0), kWhite);
                     EXPECT_GT(countPixels(edit, RECT{0, 0, 60, 26}, RGB(0, 0, 128)), 100);
                   })});
  script() = DialogScript{};
  script().onInit = [](HWND dialog, LPARAM) { SetDlgItemTextA(dialog, IDC_GOTO_TEXT, "1FH"); };
  runProgramDialog(IDD_GOTO, owner.hwnd(), {run([] {
                     HWND dialog = GetActiveWindow();
                     saveScreenshot(dialog, "goto");
                     HWND label = ChildWindowFromPoint(dialog, POINT{15 * 2 + 4, 8 * 2 + 4});
                     EXPECT_GT(countPixels(label, RECT{0, 0, 156, 16}, kBlack), 30) << "first line";
                     EXPECT_GT(countPixels(label, RECT{0, 16, 156, 32}, kBlack), 30) << "second line";
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
                     EXPECT_EQ(clientPixel(GetDlgItem(dialog, IDYES), 0, 0), kBlack);
                     EXPECT_EQ(clientPixel(no, 0, 0), kWhite);
                     EXPECT_GT(countPixels(no, RECT{3, 3, 97, 4}, RGB(63, 63, 63)), 20);
                   })},
                   reinterpret_cast<LPARAM>(question));
  OnDialogActivated answer([](HWND box) {
    play(box, {run([box] {
                 saveScreenshot(box, "warning");
                 EXPECT_GT(countPixels(GetWindow(box, GW_CHILD), RECT{0, 0, 32, 32}, RGB(255, 255, 0)), 100);
               }),
               key(VK_RETURN)});
  });
  MessageBoxA(
      owner.hwnd(),
      "\xE6\x97\xA0\xE6\xB3\x95\xE5\x86\x99\xE5\x85\xA5\xE6\x96\x87\xE4\xBB\xB6:(\xE6\x97\xA0\xE6\xA0\x87\xE9\xA2\x98)",
      "Oxbyte", MB_ICONWARNING);
}

}  // namespace
