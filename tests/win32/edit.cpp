// The single-line "Edit" class: text and selection messages, typing, deleting, the limit, capitals,
// multi-byte characters, the clipboard, read-only boxes, the mouse, notifications and its look.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"
#include "win32/edit_menu_run.h"

namespace {

using dialog_test::HeldKeys;
using dialog_test::textOf;

// "é" is two bytes of UTF-8 and "中" three; each is one UTF-16 unit.
const std::string kE = "\xC3\xA9", kZhong = "\xE4\xB8\xAD";

class EditTest : public testing::Test {
 protected:
  EditTest() {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 200);
    SetForegroundWindow(parent);
    MessageLog::pump();
  }

  HWND edit(DWORD style = ES_AUTOHSCROLL, const char *text = "", int width = 200) {
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, 28,
                                parent, reinterpret_cast<HMENU>(intptr_t(7)), nullptr, nullptr);
    MessageLog::pump();
    log.clear();
    return hwnd;
  }

  // The EN_* notifications the parent got, in order.
  std::vector<int> notifications() const {
    std::vector<int> codes;
    for (const LoggedMessage &m : log.messages)
      if (m.hwnd == parent && m.message == WM_COMMAND && LOWORD(m.wParam) == 7) codes.push_back(HIWORD(m.wParam));
    return codes;
  }

  static std::pair<DWORD, DWORD> selection(HWND hwnd) {
    DWORD begin = 0, end = 0;
    SendMessageA(hwnd, EM_GETSEL, WPARAM(&begin), LPARAM(&end));
    return {begin, end};
  }

  // Characters of one byte, and control characters, straight to the box.
  static void type(HWND hwnd, const std::string &text) {
    for (char c : text) SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
  }

  // Any text, as the keyboard delivers it to the box with the focus.
  static void typeThrough(HWND hwnd, const std::string &text) {
    SetFocus(hwnd);
    screen::typeText(text.c_str());
    screen::pumpUnicode();
  }

  static void press(HWND hwnd, int vk) { SendMessageA(hwnd, WM_KEYDOWN, WPARAM(vk), 1); }

  // A character's top-left corner in the box's client area.
  static POINT corner(HWND hwnd, int index) {
    LRESULT at = SendMessageA(hwnd, EM_POSFROMCHAR, WPARAM(index), 0);
    return {short(LOWORD(at)), short(HIWORD(at))};
  }

  MessageLog log;
  HWND parent = nullptr;
};

using Sel = std::pair<DWORD, DWORD>;

TEST_F(EditTest, TextLimitAndNotifications) {
  HWND e = edit();
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 30000);
  SendMessageA(e, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_TRUE(SetWindowTextA(e, "1234567890"));  // WM_SETTEXT is not held to the limit
  EXPECT_EQ(textOf(e), "1234567890");
  EXPECT_EQ(selection(e), Sel(0, 0));
  EXPECT_EQ(notifications(), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
  SetWindowTextA(e, "");
  log.clear();
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("abcdefgh"));
  EXPECT_EQ(textOf(e), "abcde");
  EXPECT_EQ(notifications(), (std::vector<int>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
  // A keystroke the limit refuses enters nothing, and Windows sends EN_MAXTEXT for it ("About Edit
  // Controls": a fifth character typed into a box limited to four). Wine goes on to EN_UPDATE and
  // EN_CHANGE as if the text had changed.
  log.clear();
  type(e, "x");
  EXPECT_EQ(textOf(e), "abcde");
  const std::vector<int> refused =
      runningUnderWine() ? std::vector<int>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE} : std::vector<int>{EN_MAXTEXT};
  EXPECT_EQ(notifications(), refused);
  SendMessageA(e, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTest, SelectionMessages) {
  HWND e = edit(ES_AUTOHSCROLL, "1234567890");
  struct Case {
    WPARAM start;
    LPARAM end;
    Sel expected;
  } cases[] = {
      {2, 4, {2, 4}},   {4, 2, {2, 4}},    {WPARAM(-1), 0, {2, 2}},  // -1 drops the selection, the caret stays
      {0, -1, {0, 10}}, {3, 100, {3, 10}}, {7, 7, {7, 7}},
  };
  for (const Case &c : cases) {
    SendMessageA(e, EM_SETSEL, c.start, c.end);
    EXPECT_EQ(selection(e), c.expected) << c.start << "," << c.end;
  }
  SendMessageA(e, EM_SETSEL, 3, 5);
  EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELRESULT(3, 5));
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("ab"));
  EXPECT_EQ(textOf(e), "123ab67890");
  EXPECT_EQ(selection(e), Sel(5, 5));
}

TEST_F(EditTest, TypingAndDeleting) {
  HWND e = edit();
  type(e, "hello");
  EXPECT_EQ(selection(e), Sel(5, 5));
  press(e, VK_HOME);
  type(e, ">");
  press(e, VK_END);
  type(e, "\b\b");
  press(e, VK_LEFT);
  press(e, VK_DELETE);
  EXPECT_EQ(textOf(e), ">he");
  press(e, VK_HOME);
  type(e, "\b");  // nothing before the caret
  EXPECT_EQ(textOf(e), ">he");
  log.clear();
  type(e, "\x1B\t\r");  // Escape, Tab and Enter are not text
  EXPECT_EQ(textOf(e), ">he");
  EXPECT_TRUE(notifications().empty());
}

TEST_F(EditTest, ShiftAndControlExtendAndJump) {
  HWND e = edit(ES_AUTOHSCROLL, "one two three");
  SendMessageA(e, EM_SETSEL, 4, 4);
  {
    HeldKeys shift({VK_SHIFT});
    press(e, VK_RIGHT);
    press(e, VK_RIGHT);
    EXPECT_EQ(selection(e), Sel(4, 6));
    press(e, VK_END);
    EXPECT_EQ(selection(e), Sel(4, 13));
    press(e, VK_HOME);
    EXPECT_EQ(selection(e), Sel(0, 4));
  }
  press(e, VK_RIGHT);  // without Shift the selection goes
  EXPECT_EQ(selection(e), Sel(1, 1));
  HeldKeys ctrl({VK_CONTROL});
  press(e, VK_RIGHT);
  EXPECT_EQ(selection(e), Sel(4, 4));
  press(e, VK_RIGHT);
  EXPECT_EQ(selection(e), Sel(8, 8));
  press(e, VK_LEFT);
  EXPECT_EQ(selection(e), Sel(4, 4));
}

TEST_F(EditTest, CapitalsWhenAsked) {
  HWND e = edit(ES_UPPERCASE | ES_AUTOHSCROLL);
  type(e, "ffh");
  EXPECT_EQ(textOf(e), "FFH");
  SetWindowTextA(e, "abc");
  EXPECT_EQ(textOf(e), "ABC");
  screen::setClipboardText("x1y");
  SendMessageA(e, EM_SETSEL, 3, 3);
  SendMessageA(e, WM_PASTE, 0, 0);
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("z"));
  EXPECT_EQ(textOf(e), "ABCX1YZ");
}

// An "A" box keeps its text in the process's code page, UTF-8 here, so its positions and its limit count
// bytes: Microsoft's pages say a box CreateWindowExA made keeps CHARs (EM_GETHANDLE), and that the limit
// of ANSI text is a number of bytes (EM_LIMITTEXT, "About Edit Controls"). Wine keeps every box's text in
// UTF-16 and counts its units.
TEST_F(EditTest, MultiByteCharactersStayWhole) {
  const bool wine = runningUnderWine();
  auto after = [wine](int characters) {  // the position after that many characters of "aé中b"
    static const DWORD bytes[] = {0, 1, 3, 6, 7};
    return wine ? DWORD(characters) : bytes[characters];
  };
  HWND e = edit();
  typeThrough(e, "a" + kE + kZhong + "b");
  EXPECT_EQ(textOf(e), "a" + kE + kZhong + "b");
  EXPECT_EQ(GetWindowTextLengthA(e), 7);
  press(e, VK_LEFT);
  EXPECT_EQ(selection(e), Sel(after(3), after(3)));
  press(e, VK_LEFT);
  EXPECT_EQ(selection(e), Sel(after(2), after(2)));
  {
    HeldKeys shift({VK_SHIFT});
    press(e, VK_LEFT);
    EXPECT_EQ(selection(e), Sel(after(1), after(2)));
  }
  press(e, VK_RIGHT);
  type(e, "\b");
  EXPECT_EQ(textOf(e), "a" + kZhong + "b");
  press(e, VK_DELETE);
  EXPECT_EQ(textOf(e), "ab");
  // The limit takes only whole characters: two bytes left refuse 中 and take é; Wine, with one unit
  // left, takes 中 and refuses é.
  SetWindowTextA(e, "abcde");
  SendMessageA(e, EM_SETSEL, 5, 5);
  SendMessageA(e, EM_LIMITTEXT, wine ? 6 : 7, 0);
  typeThrough(e, kZhong);
  typeThrough(e, kE);
  EXPECT_EQ(textOf(e), wine ? "abcde" + kZhong : "abcde" + kE);
  SetWindowTextA(e, "");
  SendMessageA(e, EM_LIMITTEXT, wine ? 2 : 7, 0);
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM((kZhong + kZhong + kZhong).c_str()));
  EXPECT_EQ(textOf(e), kZhong + kZhong);
  // A small buffer takes what fits, even part of a character.
  char buffer[6];
  EXPECT_EQ(GetWindowTextA(e, buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer), kZhong + kZhong.substr(0, 2));
}

TEST_F(EditTest, ClipboardShortcutsAndMessages) {
  HWND e = edit(ES_AUTOHSCROLL, "hello world");
  SendMessageA(e, EM_SETSEL, 0, 5);
  type(e, "\x03");  // Ctrl+C
  EXPECT_EQ(screen::clipboardText(), "hello");
  type(e, "\x18");  // Ctrl+X
  EXPECT_EQ(textOf(e), " world");
  press(e, VK_END);
  type(e, "\x16");  // Ctrl+V
  EXPECT_EQ(textOf(e), " worldhello");
  // The stand-in's boxes select everything on Ctrl+A, as a user of today's desktops expects. Whether
  // Windows' own box without visual styles does is not established here; Wine's does nothing.
  if (!runningUnderWine()) {
    type(e, "\x01");  // Ctrl+A
    EXPECT_EQ(selection(e), Sel(0, 11));
  }
  SendMessageA(e, EM_SETSEL, 0, 1);
  SendMessageA(e, WM_CLEAR, 0, 0);
  SendMessageA(e, EM_SETSEL, 0, 5);
  SendMessageA(e, WM_CUT, 0, 0);
  EXPECT_EQ(screen::clipboardText(), "world");
  screen::setClipboardText("first line\r\nsecond");
  SendMessageA(e, WM_PASTE, 0, 0);
  EXPECT_EQ(textOf(e), "first linehello");
  SendMessageA(e, EM_SETSEL, 0, 0);
  SendMessageA(e, WM_COPY, 0, 0);  // nothing selected: the clipboard keeps its text
  EXPECT_EQ(screen::clipboardText(), "first line\r\nsecond");
}

TEST_F(EditTest, ReadOnlyBoxesRefuseEditingButCopy) {
  HWND e = edit(ES_READONLY | ES_AUTOHSCROLL, "fixed");
  screen::setClipboardText("pasted");
  SendMessageA(e, EM_SETSEL, 0, 2);
  type(e, "x\b");
  SendMessageA(e, WM_CUT, 0, 0);
  SendMessageA(e, WM_PASTE, 0, 0);
  SendMessageA(e, WM_CLEAR, 0, 0);
  press(e, VK_DELETE);
  EXPECT_EQ(textOf(e), "fixed");
  SendMessageA(e, WM_COPY, 0, 0);
  EXPECT_EQ(screen::clipboardText(), "fi");
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("Fi"));  // the program itself may still change it
  EXPECT_EQ(textOf(e), "Fixed");
  SendMessageA(e, EM_SETREADONLY, FALSE, 0);
  type(e, "!");
  EXPECT_EQ(textOf(e), "Fi!xed");
}

// Without ES_AUTOHSCROLL the text must fit between the margins; with it the text scrolls to keep the
// caret in view.
TEST_F(EditTest, WithoutAutoScrollTypingStopsAtTheEdge) {
  HWND fixed = edit(0);
  type(fixed, std::string(60, 'w'));
  RECT client;
  GetClientRect(fixed, &client);
  LRESULT margins = SendMessageA(fixed, EM_GETMARGINS, 0, 0);
  const int room = client.right - LOWORD(margins) - HIWORD(margins), w = screen::textWidth(fixed, "w");
  EXPECT_EQ(GetWindowTextLengthA(fixed), room / w);
  HWND scrolling = edit(ES_AUTOHSCROLL);
  type(scrolling, std::string(60, 'w'));
  EXPECT_EQ(GetWindowTextLengthA(scrolling), 60);
  EXPECT_LT(corner(scrolling, 0).x, 0) << "the start has scrolled out";
  POINT last = corner(scrolling, 59);
  EXPECT_GT(last.x, 0);
  EXPECT_LE(last.x + w, client.right) << "the end is in view";
}

TEST_F(EditTest, TheMouseSelects) {
  HWND e = edit(ES_AUTOHSCROLL, "one two three");
  // A click on a character's left half goes before it, on its right half after it.
  auto on = [e](int index, bool rightHalf) {
    POINT at = corner(e, index);
    int width = corner(e, index + 1).x - at.x;
    return MAKELPARAM(at.x + (rightHalf ? width * 3 / 4 : 1), at.y + 4);
  };
  EXPECT_EQ(SendMessageA(e, EM_CHARFROMPOS, 0, on(4, false)), 4);
  EXPECT_EQ(SendMessageA(e, EM_CHARFROMPOS, 0, on(4, true)), 5);
  EXPECT_EQ(SendMessageA(e, EM_POSFROMCHAR, 13, 0), -1) << "no character at the end";
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, on(4, false));
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(selection(e), Sel(4, 4));
  SendMessageA(e, WM_MOUSEMOVE, MK_LBUTTON, on(6, true));
  SendMessageA(e, WM_LBUTTONUP, 0, on(6, true));
  EXPECT_EQ(selection(e), Sel(4, 7));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, on(2, false));
  SendMessageA(e, WM_LBUTTONUP, 0, on(2, false));
  EXPECT_EQ(selection(e), Sel(2, 4));
  // A double click is a click, then the second press.
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, on(9, false));
  SendMessageA(e, WM_LBUTTONUP, 0, on(9, false));
  SendMessageA(e, WM_LBUTTONDBLCLK, MK_LBUTTON, on(9, false));
  EXPECT_EQ(selection(e), Sel(8, 13));
}

TEST_F(EditTest, FocusNotificationsSelectionColoursAndTheCaret) {
  HWND e = edit(ES_AUTOHSCROLL, "select me");
  SendMessageA(e, EM_SETSEL, 0, 6);
  POINT start = corner(e, 0), caret = corner(e, 6);
  RECT textRow{start.x, start.y + 2, caret.x, start.y + 10};
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(dialog_test::countPixels(e, textRow, highlight), 0) << "no selection shows without the focus";
  SetFocus(e);
  MessageLog::pump();
  EXPECT_GT(dialog_test::countPixels(e, textRow, highlight), (caret.x - start.x) * 8 / 2);
  // The caret is an inverted line at the end of the selection, and it blinks.
  COLORREF shown = screen::clientPixel(e, caret.x, caret.y + 4);
  screen::wait(GetCaretBlinkTime() * 3 / 2);
  EXPECT_NE(screen::clientPixel(e, caret.x, caret.y + 4), shown);
  SetFocus(parent);
  EXPECT_EQ(notifications(), (std::vector<int>{EN_SETFOCUS, EN_KILLFOCUS}));
  // A disabled box has the grey of a dialog's face and grey text.
  EnableWindow(e, FALSE);
  MessageLog::pump();
  EXPECT_EQ(screen::clientPixel(e, 1, 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(dialog_test::countPixels(e, RECT{start.x, start.y, start.x + 80, start.y + 16}, GetSysColor(COLOR_GRAYTEXT)),
            20);
}

// Paste is greyed while the clipboard holds no text.
TEST_F(EditTest, ContextMenuPasteFollowsTheClipboard) {
  HWND e = edit(ES_AUTOHSCROLL, "abc");
  for (const char *clip : {"", "x"}) {
    screen::setClipboardText(clip);
    EXPECT_EQ(EditMenuRun(e, MAKELPARAM(50, 50)).enabled, *clip ? "paste all" : "all");
  }
}

}  // namespace
