// The single-line "Edit" class's text rules as a user and a program meet them: the caret and the
// selection step over whole characters, Ctrl+arrows move by words, the limit and the box's width take
// only whole characters, letter case, pasted lines, and typed bytes assembled into characters.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

using dialog_test::textOf;
using Sel = std::pair<DWORD, DWORD>;

// "a", "é" (2 bytes), "中" (3 bytes), "😀" (4 bytes), a stray continuation byte, "b".
const std::string kMixed =
    "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\x80"
    "b";
const std::string kZhong = "\xE4\xB8\xAD";

// An "A" box keeps its text in the process's code page, UTF-8 here, so its positions and its limit count
// bytes (Microsoft's pages on EM_GETHANDLE, EM_LIMITTEXT and "About Edit Controls"). Wine keeps every
// box's text in UTF-16 and counts its units, so where a case counts positions it has Wine's own column.
class EditTextTest : public testing::Test {
 protected:
  EditTextTest() {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 200);
    SetForegroundWindow(parent);
    MessageLog::pump();
  }

  HWND edit(DWORD style = ES_AUTOHSCROLL, const char *text = "", int width = 300) {
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, 28,
                                parent, nullptr, nullptr, nullptr);
    SetFocus(hwnd);
    MessageLog::pump();
    return hwnd;
  }

  static Sel selection(HWND hwnd) {
    DWORD begin = 0, end = 0;
    SendMessageA(hwnd, EM_GETSEL, WPARAM(&begin), LPARAM(&end));
    return {begin, end};
  }

  static DWORD caret(HWND hwnd) { return selection(hwnd).second; }

  // Keys as the keyboard delivers them to the box with the focus.
  static void keys(std::initializer_list<int> vks) {
    screen::pressKeys(vks);
    screen::pump();
  }

  static void typeThrough(HWND hwnd, const std::string &text) {
    SetFocus(hwnd);
    screen::typeText(text.c_str());
    screen::pumpUnicode();
  }

  // The selected text, as Ctrl+C puts it on the clipboard.
  static std::string selectedText(HWND hwnd) {
    screen::setClipboardText("");
    SendMessageA(hwnd, WM_COPY, 0, 0);
    return screen::clipboardText();
  }

  MessageLog log;
  HWND parent = nullptr;
};

// Right arrows from the start, then Left arrows back from the end, pass each character boundary once. A
// byte that starts no valid character is one of its own, as is the start of a character cut short. Wine
// turns such bytes into U+FFFD when the text is set; 😀 is two of its units, and its caret stops between
// them. What Windows' own "A" box does with them is not established here.
TEST_F(EditTextTest, ArrowsStepOverWholeCharacters) {
  const bool wine = runningUnderWine();
  struct Case {
    std::string text;
    std::vector<DWORD> boundaries, wineBoundaries;
  } cases[] = {
      {kMixed, {0, 1, 3, 6, 10, 11, 12}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"x\xE4\xB8", {0, 1, 2, 3}, {0, 1, 2}},
  };
  for (const Case &c : cases) {
    HWND e = edit(ES_AUTOHSCROLL, c.text.c_str());
    const std::vector<DWORD> &boundaries = wine ? c.wineBoundaries : c.boundaries;
    // As many presses as there are boundaries: the last one stays at the end, or at the start.
    std::vector<DWORD> rights(boundaries.begin() + 1, boundaries.end()), lefts, gotRights, gotLefts;
    rights.push_back(boundaries.back());
    lefts.assign(boundaries.rbegin() + 1, boundaries.rend());
    lefts.push_back(0);
    for (size_t i = 0; i < boundaries.size(); ++i) {
      keys({VK_RIGHT});
      gotRights.push_back(caret(e));
    }
    for (size_t i = 0; i < boundaries.size(); ++i) {
      keys({VK_LEFT});
      gotLefts.push_back(caret(e));
    }
    EXPECT_EQ(gotRights, rights) << testing::PrintToString(c.text);
    EXPECT_EQ(gotLefts, lefts) << testing::PrintToString(c.text);
    DestroyWindow(e);
  }
}

// EM_SETSEL with a position inside a character selects from that character's start; positions past the
// end give the end. Wine's positions count UTF-16 units, and one between the two units of 😀 stays there,
// so that a selection ending there copies half a character, which comes out as U+FFFD.
TEST_F(EditTextTest, SelectionPositionsSnapToCharacterStarts) {
  const bool wine = runningUnderWine();
  HWND e = edit(ES_AUTOHSCROLL, kMixed.c_str());
  struct Case {
    DWORD pos, snapped, winePos, wineSnapped;
  } cases[] = {
      {0, 0, 0, 0}, {2, 1, 1, 1},    {4, 3, 2, 2},    {5, 3, 3, 3},    {7, 6, 4, 4},
      {9, 6, 5, 5}, {10, 10, 6, 6}, {11, 11, 7, 7}, {99, 12, 99, 7},
  };
  for (const Case &c : cases) {
    DWORD pos = wine ? c.winePos : c.pos, snapped = wine ? c.wineSnapped : c.snapped;
    SendMessageA(e, EM_SETSEL, pos, pos);
    EXPECT_EQ(selection(e), Sel(snapped, snapped)) << pos;
  }
  SendMessageA(e, EM_SETSEL, wine ? 1 : 2, wine ? 4 : 7);
  EXPECT_EQ(selectedText(e), wine ? "\xC3\xA9\xE4\xB8\xAD\xEF\xBF\xBD" : "\xC3\xA9\xE4\xB8\xAD");
}

// Ctrl+Left goes to the start of the word before the caret, Ctrl+Right to the start of the word after it,
// and a double click selects the word, or the run of blanks, under the pointer. In an edit control a word
// usually ends only after a delimiter such as a space, but most Asian languages follow other rules
// (Microsoft's "Use Word and Line Break Information"); Wine's conformance tests check only that the default
// word-break procedure is NULL (test_wordbreak_proc), so which breaks Windows makes around 中 is not
// established. The stand-in breaks at blanks only. Wine also breaks before and after 中, whose positions are
// two fewer there, and its double click selects from the start of a word to the start of the next, blanks
// included.
TEST_F(EditTextTest, CtrlArrowsAndDoubleClicksFindWords) {
  const bool wine = runningUnderWine();
  const std::string text = "one  two" + kZhong + " three";
  HWND e = edit(ES_AUTOHSCROLL, text.c_str());
  struct Case {
    DWORD from, before, after;
  };
  const std::vector<Case> cases =
      wine ? std::vector<Case>{{0, 0, 5}, {2, 0, 5}, {5, 0, 8}, {7, 5, 8}, {10, 8, 15}, {15, 10, 15}}
           : std::vector<Case>{{0, 0, 5}, {2, 0, 5}, {5, 0, 12}, {7, 5, 12}, {12, 5, 17}, {17, 12, 17}};
  for (const Case &c : cases) {
    SendMessageA(e, EM_SETSEL, c.from, c.from);
    keys({VK_CONTROL, VK_LEFT});
    EXPECT_EQ(caret(e), c.before) << "Ctrl+Left from " << c.from;
    SendMessageA(e, EM_SETSEL, c.from, c.from);
    keys({VK_CONTROL, VK_RIGHT});
    EXPECT_EQ(caret(e), c.after) << "Ctrl+Right from " << c.from;
  }
  // Shift with Ctrl extends the selection word by word.
  SendMessageA(e, EM_SETSEL, 0, 0);
  keys({VK_SHIFT, VK_CONTROL, VK_RIGHT});
  keys({VK_SHIFT, VK_CONTROL, VK_RIGHT});
  EXPECT_EQ(selection(e), Sel(0, cases[2].after));
  auto doubleClickOn = [e](int index) {
    LRESULT corner = SendMessageA(e, EM_POSFROMCHAR, WPARAM(index), 0);
    LPARAM point = MAKELPARAM(short(LOWORD(corner)) + 1, short(HIWORD(corner)) + 4);
    SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(e, WM_LBUTTONUP, 0, point);
    SendMessageA(e, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageA(e, WM_LBUTTONUP, 0, point);
    return selectedText(e);
  };
  EXPECT_EQ(doubleClickOn(6), wine ? "two" : "two" + kZhong);
  EXPECT_EQ(doubleClickOn(4), wine ? "one  " : "  ");
  EXPECT_EQ(doubleClickOn(wine ? 14 : 16), "three");
}

// A text that the limit or the box's width cuts keeps only whole characters, whether the program
// inserts it or the user pastes it.
TEST_F(EditTextTest, LimitAndWidthTakeWholeCharacters) {
  const bool wine = runningUnderWine();
  const std::string insert = "ab" + kZhong + "c";
  struct Case {
    UINT limit;
    std::string kept, wineKept;
  } cases[] = {
      {2, "ab", "ab"}, {3, "ab", "ab" + kZhong}, {4, "ab", insert}, {5, "ab" + kZhong, insert}, {6, insert, insert},
  };
  HWND e = edit();
  for (const Case &c : cases) {
    const std::string &kept = wine ? c.wineKept : c.kept;
    SetWindowTextA(e, "");
    SendMessageA(e, EM_LIMITTEXT, c.limit, 0);
    SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM(insert.c_str()));
    EXPECT_EQ(textOf(e), kept) << "inserted under " << c.limit;
    SetWindowTextA(e, "");
    screen::setClipboardText(insert.c_str());
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(e), kept) << "pasted under " << c.limit;
  }
  // Without ES_AUTOHSCROLL the text must fit between the margins: a long paste keeps the characters
  // that fit whole.
  HWND fixed = edit(0, "", 120);
  RECT client;
  GetClientRect(fixed, &client);
  LRESULT margins = SendMessageA(fixed, EM_GETMARGINS, 0, 0);
  const int room = client.right - LOWORD(margins) - HIWORD(margins);
  std::string pasted, fits;
  for (int i = 0; i < 20; ++i) pasted += "a\xC3\xA9";
  for (size_t i = 0; i < pasted.size();) {
    size_t next = i + (pasted[i] == 'a' ? 1 : 2);
    if (screen::textWidth(fixed, pasted.substr(0, next).c_str()) > room) break;
    fits = pasted.substr(0, i = next);
  }
  screen::setClipboardText(pasted.c_str());
  SendMessageA(fixed, WM_PASTE, 0, 0);
  EXPECT_EQ(textOf(fixed), fits);
  // A text set wider than the box leaves no room at all. Wine's box crashes (a page fault in its edit
  // control) when a key is typed into it then, so the case runs everywhere else.
  if (!runningUnderWine()) {
    SetWindowTextA(fixed, pasted.c_str());
    SendMessageA(fixed, EM_SETSEL, 0, 0);
    typeThrough(fixed, "a");
    EXPECT_EQ(textOf(fixed), pasted);
  }
}

// ES_UPPERCASE and ES_LOWERCASE turn every letter of what is typed, set or pasted to one case, not only
// a to z: Microsoft's page on the edit styles says they convert "all characters". A single-line box
// takes a pasted text up to its first line break.
TEST_F(EditTextTest, LetterCaseAndThePastedFirstLine) {
  const std::string lowerLetters = "ffh \xC3\xA9\xD0\xB6z", upperLetters = "FFH \xC3\x89\xD0\x96Z";  // é ж, É Ж
  HWND upper = edit(ES_UPPERCASE | ES_AUTOHSCROLL);
  typeThrough(upper, lowerLetters);
  EXPECT_EQ(textOf(upper), upperLetters);
  HWND lower = edit(ES_LOWERCASE | ES_AUTOHSCROLL, upperLetters.c_str());
  EXPECT_EQ(textOf(lower), lowerLetters);
  screen::setClipboardText("ONE\nTWO");
  SendMessageA(lower, EM_SETSEL, 0, -1);
  SendMessageA(lower, WM_PASTE, 0, 0);
  EXPECT_EQ(textOf(lower), "one");
  HWND plain = edit(ES_AUTOHSCROLL, "MiXed");
  screen::setClipboardText("\xC3\xA9Single");
  SendMessageA(plain, EM_SETSEL, 5, 5);
  SendMessageA(plain, WM_PASTE, 0, 0);
  typeThrough(plain, "x");
  EXPECT_EQ(textOf(plain), "MiXed\xC3\xA9Singlex");
}

// A program that sends WM_CHAR one byte at a time gets whole characters inserted once their last byte
// has come; a byte that cannot belong to a character is dropped, and an unfinished character gives way
// to the next. Wine converts each byte of an "A" window's WM_CHAR alone, so every byte beyond ASCII
// becomes U+FFFD; what Windows does with UTF-8 bytes sent one at a time is not established here.
TEST_F(EditTextTest, TypedBytesMakeWholeCharacters) {
  const bool wine = runningUnderWine();
  const std::string bad = "\xEF\xBF\xBD";  // U+FFFD
  struct Case {
    std::string bytes, text, wineText;
  } cases[] = {
      {"ab", "ab", "ab"},
      {kZhong, kZhong, bad + bad + bad},
      {"\xC3\xA9x", "\xC3\xA9x", bad + bad + "x"},
      {"\x80x", "x", bad + "x"},
      {"\xE4\xB8y", "y", bad + bad + "y"},
      {"\xFF\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", bad + bad + bad + bad + bad},
  };
  HWND e = edit();
  for (const Case &c : cases) {
    SetWindowTextA(e, "");
    for (char byte : c.bytes) SendMessageA(e, WM_CHAR, static_cast<unsigned char>(byte), 1);
    EXPECT_EQ(textOf(e), wine ? c.wineText : c.text) << testing::PrintToString(c.bytes);
  }
}

}  // namespace
