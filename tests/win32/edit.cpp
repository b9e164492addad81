// The single-line "Edit" class: text and selection messages, typing, deleting, the limit, capitals,
// multi-byte characters, the clipboard, read-only boxes, the mouse, notifications and its look.
#include "user32/edit.h"

#include <gtest/gtest.h>

#include "backend/driver.h"
#include "support/message_log.h"
#include "win32/dialog_test_support.h"
#include "win32/edit_menu_run.h"

namespace {

using dialog_test::HeldKeys;

// "é" is two bytes and "中" three.
const std::string kE = "\xC3\xA9", kZhong = "\xE4\xB8\xAD";

class EditTest : public testing::Test {
 protected:
  EditTest() {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 200);
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

  static void type(HWND hwnd, const std::string &text) {
    for (char c : text) SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
  }

  static void press(HWND hwnd, int vk) { SendMessageA(hwnd, WM_KEYDOWN, WPARAM(vk), 1); }

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
  EXPECT_EQ(dialog_test::textOf(e), "1234567890");
  EXPECT_EQ(selection(e), Sel(0, 0));
  EXPECT_EQ(notifications(), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
  SetWindowTextA(e, "");
  log.clear();
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("abcdefgh"));
  EXPECT_EQ(dialog_test::textOf(e), "abcde");
  EXPECT_EQ(notifications(), (std::vector<int>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
  log.clear();
  type(e, "x");
  EXPECT_EQ(dialog_test::textOf(e), "abcde");
  EXPECT_EQ(notifications(), std::vector<int>{EN_MAXTEXT});
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
  EXPECT_EQ(dialog_test::textOf(e), "123ab67890");
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
  EXPECT_EQ(dialog_test::textOf(e), ">he");
  press(e, VK_HOME);
  type(e, "\b");  // nothing before the caret
  EXPECT_EQ(dialog_test::textOf(e), ">he");
  log.clear();
  type(e, "\x1B\t\r");  // Escape, Tab and Enter are not text
  EXPECT_EQ(dialog_test::textOf(e), ">he");
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
  EXPECT_EQ(dialog_test::textOf(e), "FFH");
  SetWindowTextA(e, "abc");
  EXPECT_EQ(dialog_test::textOf(e), "ABC");
  win32::backend::driver().setClipboardText("x1y");
  SendMessageA(e, EM_SETSEL, 3, 3);
  SendMessageA(e, WM_PASTE, 0, 0);
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("z"));
  EXPECT_EQ(dialog_test::textOf(e), "ABCX1YZ");
}

TEST_F(EditTest, MultiByteCharactersStayWhole) {
  HWND e = edit();
  type(e, "a" + kE + kZhong + "b");
  EXPECT_EQ(dialog_test::textOf(e), "a" + kE + kZhong + "b");
  EXPECT_EQ(GetWindowTextLengthA(e), 7);
  press(e, VK_LEFT);
  EXPECT_EQ(selection(e), Sel(6, 6));
  press(e, VK_LEFT);
  EXPECT_EQ(selection(e), Sel(3, 3));
  {
    HeldKeys shift({VK_SHIFT});
    press(e, VK_LEFT);
    EXPECT_EQ(selection(e), Sel(1, 3));
  }
  SendMessageA(e, EM_SETSEL, 5, 5);  // inside 中: the caret goes to its start
  EXPECT_EQ(selection(e), Sel(3, 3));
  type(e, "\b");
  EXPECT_EQ(dialog_test::textOf(e), "a" + kZhong + "b");
  press(e, VK_DELETE);
  EXPECT_EQ(dialog_test::textOf(e), "ab");
  // The limit counts bytes and takes only whole characters.
  SetWindowTextA(e, "abcde");
  SendMessageA(e, EM_SETSEL, 5, 5);
  SendMessageA(e, EM_LIMITTEXT, 7, 0);
  type(e, kZhong);
  EXPECT_EQ(dialog_test::textOf(e), "abcde");
  type(e, kE);
  EXPECT_EQ(dialog_test::textOf(e), "abcde" + kE);
  SetWindowTextA(e, "");
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM((kZhong + kZhong + kZhong).c_str()));
  EXPECT_EQ(dialog_test::textOf(e), kZhong + kZhong);
  // Reading the text into a small buffer does not cut a character in two.
  char buffer[6];
  EXPECT_EQ(GetWindowTextA(e, buffer, sizeof buffer), 3);
  EXPECT_EQ(std::string(buffer), kZhong);
}

TEST_F(EditTest, ClipboardShortcutsAndMessages) {
  HWND e = edit(ES_AUTOHSCROLL, "hello world");
  win32::backend::Driver &d = win32::backend::driver();
  SendMessageA(e, EM_SETSEL, 0, 5);
  type(e, "\x03");  // Ctrl+C
  EXPECT_EQ(d.clipboardText(), "hello");
  type(e, "\x18");  // Ctrl+X
  EXPECT_EQ(dialog_test::textOf(e), " world");
  press(e, VK_END);
  type(e, "\x16");  // Ctrl+V
  EXPECT_EQ(dialog_test::textOf(e), " worldhello");
  type(e, "\x01");  // Ctrl+A
  EXPECT_EQ(selection(e), Sel(0, 11));
  SendMessageA(e, EM_SETSEL, 0, 1);
  SendMessageA(e, WM_CLEAR, 0, 0);
  SendMessageA(e, EM_SETSEL, 0, 5);
  SendMessageA(e, WM_CUT, 0, 0);
  EXPECT_EQ(d.clipboardText(), "world");
  d.setClipboardText("first line\r\nsecond");
  SendMessageA(e, WM_PASTE, 0, 0);
  EXPECT_EQ(dialog_test::textOf(e), "first linehello");
  SendMessageA(e, EM_SETSEL, 0, 0);
  SendMessageA(e, WM_COPY, 0, 0);  // nothing selected: the clipboard keeps its text
  EXPECT_EQ(d.clipboardText(), "first line\r\nsecond");
}

TEST_F(EditTest, ReadOnlyBoxesRefuseEditingButCopy) {
  HWND e = edit(ES_READONLY | ES_AUTOHSCROLL, "fixed");
  win32::backend::driver().setClipboardText("pasted");
  SendMessageA(e, EM_SETSEL, 0, 2);
  type(e, "x\b");
  SendMessageA(e, WM_CUT, 0, 0);
  SendMessageA(e, WM_PASTE, 0, 0);
  SendMessageA(e, WM_CLEAR, 0, 0);
  press(e, VK_DELETE);
  EXPECT_EQ(dialog_test::textOf(e), "fixed");
  SendMessageA(e, WM_COPY, 0, 0);
  EXPECT_EQ(win32::backend::driver().clipboardText(), "fi");
  SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("Fi"));  // the program itself may still change it
  EXPECT_EQ(dialog_test::textOf(e), "Fixed");
  SendMessageA(e, EM_SETREADONLY, FALSE, 0);
  type(e, "!");
  EXPECT_EQ(dialog_test::textOf(e), "Fi!xed");
}

// 200 pixels of box less the 3-D edges (2 + 2) and the margins (2 + 2) leave room for 24 characters.
TEST_F(EditTest, WithoutAutoScrollTypingStopsAtTheEdge) {
  HWND fixed = edit(0);
  type(fixed, std::string(30, 'w'));
  EXPECT_EQ(GetWindowTextLengthA(fixed), 24);
  HWND scrolling = edit(ES_AUTOHSCROLL);
  type(scrolling, std::string(30, 'w'));
  EXPECT_EQ(GetWindowTextLengthA(scrolling), 30);
  MessageLog::pump();
  // The end of the text is in view: the caret's column sits inside the box.
  EXPECT_EQ(dialog_test::clientPixel(scrolling, 3, 12), RGB(255, 255, 255));
}

TEST_F(EditTest, TheMouseSelects) {
  HWND e = edit(ES_AUTOHSCROLL, "one two three");
  // Text starts 2 pixels in; each character is 8 wide. A click on a character's right half goes after it.
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 + 8 * 4 + 1, 10));
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(selection(e), Sel(4, 4));
  SendMessageA(e, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + 8 * 6 + 6, 10));
  SendMessageA(e, WM_LBUTTONUP, 0, MAKELPARAM(2 + 8 * 6 + 6, 10));
  EXPECT_EQ(selection(e), Sel(4, 7));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(2 + 8 * 2, 10));
  SendMessageA(e, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(selection(e), Sel(2, 4));
  SendMessageA(e, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2 + 8 * 9, 10));
  EXPECT_EQ(selection(e), Sel(8, 13));
}

TEST_F(EditTest, FocusNotificationsSelectionColoursAndTheCaret) {
  HWND e = edit(ES_AUTOHSCROLL, "select me");
  SendMessageA(e, EM_SETSEL, 0, 6);
  MessageLog::pump();
  RECT textRow{2, 6, 60, 22};
  EXPECT_EQ(dialog_test::countPixels(e, textRow, RGB(0, 0, 128)), 0) << "no selection shows without the focus";
  SetFocus(e);
  MessageLog::pump();
  EXPECT_GT(dialog_test::countPixels(e, textRow, RGB(0, 0, 128)), 200);
  // The caret is an inverted line after the selection, and it blinks.
  int caretX = 2 + 6 * 8;
  COLORREF shown = dialog_test::clientPixel(e, caretX, 8);
  win32::backend::advanceHeadlessClock(600);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_NE(dialog_test::clientPixel(e, caretX, 8), shown);
  SetFocus(parent);
  EXPECT_EQ(notifications(), (std::vector<int>{EN_SETFOCUS, EN_KILLFOCUS}));
  // A disabled box has a grey background and grey text.
  EnableWindow(e, FALSE);
  MessageLog::pump();
  EXPECT_EQ(dialog_test::clientPixel(e, 1, 1), RGB(192, 192, 192));
  EXPECT_GT(dialog_test::countPixels(e, textRow, RGB(128, 128, 128)), 20);
}

// Paste is greyed while the clipboard holds no text.
TEST_F(EditTest, ContextMenuPasteFollowsTheClipboard) {
  HWND e = edit(ES_AUTOHSCROLL, "abc");
  for (const char *clip : {"", "x"}) {
    win32::backend::driver().setClipboardText(clip);
    EXPECT_EQ(EditMenuRun(e, MAKELPARAM(50, 50)).enabled, *clip ? "paste all" : "all");
  }
}

}  // namespace
