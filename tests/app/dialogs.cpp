// The About box and the Yes/No question, driven as a user would.
#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using Dialogs = ProgramTest;

TEST_F(Dialogs, AboutClosesWithOkEnterAndEscape) {
  ASSERT_TRUE(start());
  answerWith(IDOK);
  command(IDM_ABOUT);
  answerNext([](HWND d) { PostMessageA(GetFocus() ? GetFocus() : d, WM_KEYDOWN, VK_RETURN, 1); });
  command(IDM_ABOUT);
  answerNext([](HWND d) { PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 1); });
  command(IDM_ABOUT);
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[0].caption, "关于 Oxbyte");
  EXPECT_TRUE(dialogs[0].says("Oxbyte v1.01.04"));
  EXPECT_TRUE(IsWindowEnabled(program.frame));
  EXPECT_TRUE(running());
}

// The question comes with the focus on No; Escape does nothing; Y and N answer.
TEST_F(Dialogs, TheQuestionBoxTakesOnlyYesOrNo) {
  std::string file = writeFile("q.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  type("0");
  int focusId = 0;
  answerNext([&](HWND d) {
    focusId = GetDlgCtrlID(GetFocus());
    PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(GetDlgItem(d, IDNO), WM_CHAR, 'n', 1);
  });
  command(IDM_REVERT);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].caption, "Oxbyte");
  EXPECT_TRUE(dialogs[0].says("撤销所有修改?"));
  EXPECT_EQ(focusId, IDNO);
  EXPECT_EQ(statusText(1), " HEX-LO");  // No: the half-typed byte stays as it was
  answerNext([](HWND d) { PostMessageA(GetDlgItem(d, IDNO), WM_CHAR, 'y', 1); });
  command(IDM_REVERT);
  EXPECT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(statusText(1), " HEX-HI");  // Yes: reverted, and the nibble starts over
  EXPECT_EQ(menuState(IDM_REVERT) & MF_GRAYED, UINT(MF_GRAYED));
}

TEST_F(Dialogs, SpaceOnTheFocusedNoAnswersNo) {
  ASSERT_TRUE(start(quotedPath(writeFile("s.bin", "ABCD"))));
  type("0");
  answerNext([](HWND) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(GetFocus(), WM_KEYUP, VK_SPACE, LPARAM(0xC0000001u));
  });
  command(IDM_REVERT);
  EXPECT_EQ(statusText(1), " HEX-LO");
  EXPECT_FALSE(menuState(IDM_REVERT) & MF_GRAYED);
}

}  // namespace
