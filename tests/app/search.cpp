// Find, Find next and Go-to, driven through their dialogs.
#include <string>

#include "resources/resource.h"
#include "support/platform.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using Search = ProgramTest;

int32_t offsetShown(ProgramTest &t) {
  std::string s = t.statusText(0);
  return std::stoi(s.substr(s.find(':') + 1));
}

// Types the text into the Find dialog, picks the mode's radio button first, and presses OK; a "not
// found" box that follows is closed when `notFound` says one will come.
void find(ProgramTest &t, const std::string &text, bool hex = false, bool notFound = false) {
  t.answerNext([=](HWND d) {
    if (hex) SendMessageA(GetDlgItem(d, IDC_FIND_HEX), BM_CLICK, 0, 0);
    SetDlgItemTextA(d, IDC_FIND_TEXT, text.c_str());
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  if (notFound) t.answerWith(IDOK);
  t.command(IDM_FIND);
}

void go(ProgramTest &t, const std::string &text) {
  t.answerWithText(IDC_GOTO_TEXT, text);
  t.command(IDM_GOTO);
}

TEST_F(Search, FindPutsTheCursorOnTheMatchInTheModesPane) {
  std::string data = std::string(300, '.') + "needle" + std::string(300, '.');
  ASSERT_TRUE(start(quotedPath(writeFile("f.bin", data))));
  find(*this, "needle");
  EXPECT_EQ(offsetShown(*this), 300);
  EXPECT_EQ(statusText(1), "  ASCII");
  EXPECT_FALSE(menuState(IDM_FIND_NEXT) & MF_GRAYED);
  answerWith(IDOK);
  key(VK_F3);  // the only match is under the cursor: not found
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_EQ(dialogs[1].caption, "Oxbyte");
  EXPECT_TRUE(dialogs[1].says("未找到"));
}

TEST_F(Search, FindNextCyclesThroughOverlappingMatchesAndWraps) {
  ASSERT_TRUE(start(quotedPath(writeFile("aaaa.bin", "AAAA"))));
  find(*this, "41 41", true);
  EXPECT_EQ(offsetShown(*this), 1);
  EXPECT_EQ(statusText(1), " HEX-HI");
  key(VK_F3);
  EXPECT_EQ(offsetShown(*this), 2);
  key(VK_F3);
  EXPECT_EQ(offsetShown(*this), 0);
  key(VK_F3);
  EXPECT_EQ(offsetShown(*this), 1);
}

TEST_F(Search, AnEmptyTextAfterOkStartsNoSearchAndLeavesFindNextGreyed) {
  ASSERT_TRUE(start(quotedPath(writeFile("e.bin", "ABC"))));
  find(*this, "");
  EXPECT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(menuState(IDM_FIND_NEXT) & MF_GRAYED);
}

TEST_F(Search, TheDialogConvertsBetweenCharactersAndHex) {
  ASSERT_TRUE(start(quotedPath(writeFile("c.bin", "xxABxx"))));
  std::string afterHex, afterAscii;
  answerNext([&](HWND d) {
    char text[256];
    SetDlgItemTextA(d, IDC_FIND_TEXT, "AB");
    SendMessageA(GetDlgItem(d, IDC_FIND_HEX), BM_CLICK, 0, 0);
    GetDlgItemTextA(d, IDC_FIND_TEXT, text, sizeof text);
    afterHex = text;
    SendMessageA(GetDlgItem(d, IDC_FIND_HEX), BM_CLICK, 0, 0);  // already a list: unchanged
    SendMessageA(GetDlgItem(d, IDC_FIND_ASCII), BM_CLICK, 0, 0);
    GetDlgItemTextA(d, IDC_FIND_TEXT, text, sizeof text);
    afterAscii = text;
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  command(IDM_FIND);
  EXPECT_EQ(afterHex, "41 42");
  EXPECT_EQ(afterAscii, "AB");
  EXPECT_EQ(offsetShown(*this), 2);
}

TEST_F(Search, CancelKeepsTheModeTheStoredTextWasWrittenIn) {
  ASSERT_TRUE(start(quotedPath(writeFile("m.bin", "..AB..41 42"))));
  find(*this, "AB");
  EXPECT_EQ(offsetShown(*this), 2);
  answerNext([](HWND d) {
    SendMessageA(GetDlgItem(d, IDC_FIND_HEX), BM_CLICK, 0, 0);
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  command(IDM_FIND);
  key(VK_HOME, true);
  key(VK_F3);  // still the characters "AB", not the list "AB"
  EXPECT_EQ(offsetShown(*this), 2);
  EXPECT_EQ(statusText(1), "  ASCII");
}

TEST_F(Search, GotoReadsHexAndDecimalAndIgnoresOffsetsOutsideTheFile) {
  ASSERT_TRUE(start(quotedPath(writeFile("g.bin", std::string(70000, 'g')))));
  struct Case {
    const char *text;
    int32_t expected;  // -1: the cursor stays where it was
    bool beep;
  } cases[] = {
      {"1FH", 31, false},  {"010", 10, false},   {"0010", 10, false},   {"FFFFH", 65535, false},
      {"0H", 0, false},    {"H", -1, true},      {"12A", -1, true},     {"1F H", -1, true},
      {"-5", -1, true},    {"70000", -1, false}, {"80000000H", -1, false}, {"4294967306", -1, true},
  };
  for (const Case &c : cases) {
    int32_t before = offsetShown(*this);
    int beeps = platform::beepCount();
    go(*this, c.text);
    EXPECT_EQ(offsetShown(*this), c.expected < 0 ? before : c.expected) << c.text;
    EXPECT_EQ(platform::beepCount() - beeps, c.beep ? 1 : 0) << c.text;
  }
}

TEST_F(Search, GotoTurnsTypedLettersIntoCapitals) {
  ASSERT_TRUE(start(quotedPath(writeFile("u.bin", std::string(300, 'u')))));
  std::string shown;
  answerNext([&](HWND d) {
    HWND edit = GetDlgItem(d, IDC_GOTO_TEXT);
    for (char c : std::string("ffh")) SendMessageA(edit, WM_CHAR, WPARAM(c), 1);
    char text[16];
    GetWindowTextA(edit, text, sizeof text);
    shown = text;
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  command(IDM_GOTO);
  EXPECT_EQ(shown, "FFH");
  EXPECT_EQ(offsetShown(*this), 255);
}

TEST_F(Search, GotoUsesThePaneOfTheLastFindMode) {
  ASSERT_TRUE(start(quotedPath(writeFile("p.bin", std::string(300, 'p')))));
  go(*this, "20");
  EXPECT_EQ(statusText(1), "  ASCII");  // the Find mode starts as characters
}

TEST_F(Search, ANotFoundSearchLeavesTheCursor) {
  ASSERT_TRUE(start(quotedPath(writeFile("nf.bin", "abcdef"))));
  key(VK_RIGHT);
  find(*this, "AB", false, true);  // the search is case-sensitive
  EXPECT_TRUE(dialogs.back().says("未找到"));
  EXPECT_EQ(offsetShown(*this), 1);
}

}  // namespace
