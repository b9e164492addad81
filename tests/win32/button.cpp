// The "Button" class: clicks by mouse, space bar and BM_CLICK, check and radio states, styles, and the
// pixels of its classic look.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

using dialog_test::clientPixel;
using dialog_test::countPixels;
using dialog_test::countPixelsNot;

const COLORREF kFace = GetSysColor(COLOR_BTNFACE), kBlack = GetSysColor(COLOR_BTNTEXT),
               kWhite = GetSysColor(COLOR_BTNHIGHLIGHT), kShadow = GetSysColor(COLOR_BTNSHADOW),
               kFrame = GetSysColor(COLOR_3DDKSHADOW);

// Windows draws these buttons in the classic look, edges of the 3-D colours, to a program without a
// common-controls manifest; Wine draws them with its theme when one is active (screen::controlsThemed),
// and then only what the theme leaves alone is checked.
bool classic() { return !screen::controlsThemed(); }

class ButtonTest : public testing::Test {
 protected:
  ButtonTest() {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300);
    MessageLog::pump();
  }

  HWND button(DWORD style, const char *text = "Button", int id = 100, int x = 10, int y = 10) {
    HWND hwnd = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, 100, 28, parent,
                                reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
    MessageLog::pump();
    log.clear();
    return hwnd;
  }

  // The BN_CLICKED notifications the parent received, as control identifiers.
  std::vector<int> clicks() const {
    std::vector<int> ids;
    for (const LoggedMessage &m : log.messages)
      if (m.hwnd == parent && m.message == WM_COMMAND && HIWORD(m.wParam) == BN_CLICKED)
        ids.push_back(LOWORD(m.wParam));
    return ids;
  }

  MessageLog log;
  HWND parent = nullptr;
};

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(ButtonTest, AMouseClickCountsWhenReleasedOverTheButton) {
  HWND b = button(BS_PUSHBUTTON);
  SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(GetCapture(), b);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, at(150, 5));  // dragged off: it pops out
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, at(6, 6));  // and back in
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  SendMessageA(b, WM_LBUTTONUP, 0, at(6, 6));
  EXPECT_EQ(clicks(), std::vector<int>{100});
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0), BST_FOCUS);

  log.clear();
  SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
  SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, at(-3, 5));
  SendMessageA(b, WM_LBUTTONUP, 0, at(-3, 5));
  EXPECT_TRUE(clicks().empty());
}

TEST_F(ButtonTest, TheSpaceBarAndBmClickPressIt) {
  HWND b = button(BS_PUSHBUTTON);
  SetFocus(b);
  SendMessageA(b, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  EXPECT_TRUE(clicks().empty());
  // The pointer moving off the button with no mouse button held leaves the key's press alone.
  SendMessageA(b, WM_MOUSEMOVE, 0, at(150, 5));
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  SendMessageA(b, WM_KEYUP, VK_SPACE, 0);
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks(), (std::vector<int>{100, 100}));
  // "A disabled button does not send a BN_CLICKED notification" (BN_CLICKED in Microsoft's documentation).
  // Wine's button answers BM_CLICK by sending itself WM_LBUTTONDOWN and WM_LBUTTONUP, which it handles
  // whether enabled or not, and so notifies anyway.
  EnableWindow(b, FALSE);
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks().size(), runningUnderWine() ? 3u : 2u);
}

TEST_F(ButtonTest, CheckBoxesAndRadioButtons) {
  HWND check = button(BS_AUTOCHECKBOX, "Check", 1);
  HWND plain = button(BS_CHECKBOX, "Plain", 2, 10, 40);
  SendMessageA(check, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(check, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(plain, BM_CLICK, 0, 0);  // only the owner checks a plain check box
  EXPECT_EQ(SendMessageA(plain, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(plain, BM_SETCHECK, BST_INDETERMINATE, 0);  // more than a two-state box holds
  EXPECT_EQ(SendMessageA(plain, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks(), (std::vector<int>{1, 1, 2}));
}

// A group of three automatic radio buttons and a fourth in a group of its own.
TEST_F(ButtonTest, ClickingARadioButtonUnchecksItsGroupButBmSetCheckDoesNot) {
  HWND r1 = button(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "One", 1, 10, 10);
  HWND r2 = button(BS_AUTORADIOBUTTON, "Two", 2, 10, 40);
  HWND r3 = button(BS_AUTORADIOBUTTON, "Three", 3, 10, 70);
  HWND other = button(BS_AUTORADIOBUTTON | WS_GROUP, "Other", 4, 10, 100);
  auto checks = [&] {
    std::vector<LRESULT> result;
    for (HWND r : {r1, r2, r3, other}) result.push_back(SendMessageA(r, BM_GETCHECK, 0, 0));
    return result;
  };
  SendMessageA(r1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(r2, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(checks(), (std::vector<LRESULT>{1, 1, 0, 1}));
  SendMessageA(r3, BM_CLICK, 0, 0);
  EXPECT_EQ(checks(), (std::vector<LRESULT>{0, 0, 1, 1}));
  EXPECT_EQ(clicks(), std::vector<int>{3});
  // A radio button is a tab stop exactly while it is checked.
  EXPECT_FALSE(GetWindowLongA(r1, GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(r3, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ButtonTest, DialogCodesAndStyleChanges) {
  struct Case {
    DWORD style;
    LRESULT code;
  } cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},
      {BS_GROUPBOX, DLGC_STATIC},
  };
  for (const Case &c : cases) EXPECT_EQ(SendMessageA(button(c.style), WM_GETDLGCODE, 0, 0), c.code) << c.style;
  HWND b = button(BS_PUSHBUTTON | WS_TABSTOP);
  SendMessageA(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(DWORD(GetWindowLongA(b, GWL_STYLE)) & (BS_TYPEMASK | WS_TABSTOP), DWORD(BS_DEFPUSHBUTTON | WS_TABSTOP));
  EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, PushButtonPixels) {
  HWND normal = button(BS_PUSHBUTTON, "Cancel", 1, 10, 10);
  HWND def = button(BS_DEFPUSHBUTTON, "OK", 2, 120, 10);
  HWND disabled = button(BS_PUSHBUTTON | WS_DISABLED, "Gone", 3, 230, 10);
  MessageLog::pump();
  RECT inside{4, 4, 96, 24};
  EXPECT_GT(countPixels(normal, inside, kBlack), 40);
  if (classic()) {
    // Raised: white top-left, black bottom-right, grey inner shadow.
    EXPECT_EQ(clientPixel(normal, 0, 0), kWhite);
    EXPECT_EQ(clientPixel(normal, 99, 27), kFrame);
    EXPECT_EQ(clientPixel(normal, 98, 26), kShadow);
    // The default button has a black frame all round, the raised edge inside it.
    for (POINT p : {POINT{0, 0}, POINT{99, 0}, POINT{0, 27}, POINT{50, 27}})
      EXPECT_EQ(clientPixel(def, p.x, p.y), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(clientPixel(def, 1, 1), kWhite);
    EXPECT_EQ(clientPixel(def, 97, 25), kShadow);
    // Disabled text is grey with a white copy.
    EXPECT_GT(countPixels(disabled, inside, kShadow), 30);
    EXPECT_GT(countPixels(disabled, inside, kWhite), 30);
  }
  EXPECT_EQ(countPixels(disabled, inside, kBlack), 0) << "nothing of the disabled text is black";
  // Pressed in: the default button turns flat (a grey line inside the black frame) and its text moves one
  // pixel down and to the right.
  auto textPixels = [&] {
    std::vector<POINT> black;
    for (int y = 4; y < 24; ++y)
      for (int x = 4; x < 96; ++x)
        if (clientPixel(def, x, y) == kBlack) black.push_back({x, y});
    return black;
  };
  std::vector<POINT> before = textPixels();
  SendMessageA(def, BM_SETSTATE, TRUE, 0);
  MessageLog::pump();
  if (classic()) {
    EXPECT_EQ(clientPixel(def, 1, 1), kShadow);
    EXPECT_EQ(clientPixel(def, 98, 26), kShadow);
  }
  std::vector<POINT> after = textPixels();
  ASSERT_EQ(after.size(), before.size());
  ASSERT_FALSE(before.empty());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(after[i].x, before[i].x + 1);
    EXPECT_EQ(after[i].y, before[i].y + 1);
  }
}

TEST_F(ButtonTest, RadioCheckAndGroupBoxPixels) {
  HWND radio = button(BS_AUTORADIOBUTTON, "Radio", 1, 10, 10);
  HWND check = button(BS_AUTOCHECKBOX, "Check", 2, 10, 50);
  HWND group = CreateWindowExA(0, "BUTTON", "Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 150, 10, 120, 80, parent,
                               nullptr, nullptr, nullptr);
  MessageLog::pump();
  int middle = 14;  // the circle and the box are centred on the 28-pixel height
  EXPECT_EQ(clientPixel(radio, 5, middle), GetSysColor(COLOR_WINDOW));
  if (classic()) {
    // The check box is sunken: grey then black at the top left, white at the bottom right, white inside.
    EXPECT_EQ(clientPixel(check, 0, 7), kShadow);
    EXPECT_EQ(clientPixel(check, 1, 8), kFrame);
    EXPECT_EQ(clientPixel(check, 12, 19), kWhite);
  }
  EXPECT_EQ(countPixels(check, RECT{2, 9, 11, 18}, GetSysColor(COLOR_WINDOW)), 81);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  MessageLog::pump();
  EXPECT_EQ(clientPixel(radio, 5, middle), kBlack);
  EXPECT_GT(countPixels(check, RECT{2, 9, 11, 18}, kBlack), 10);
  // The group box: an etched line (grey over white) through the middle of its text line, broken by the
  // text; the inside is left to what lies beneath.
  // Its row is at half the text height on the stand-in, a row above under Wine; Windows' is not measured.
  if (classic()) {
    const int line = dialog_test::lineHeight(group) / 2 - (runningUnderWine() ? 1 : 0);
    EXPECT_EQ(clientPixel(group, 60, line), kShadow);
    EXPECT_EQ(clientPixel(group, 60, line + 1), kWhite);
    EXPECT_EQ(clientPixel(group, 0, 40), kShadow);
    EXPECT_NE(clientPixel(group, 12, line), kShadow);
  }
  EXPECT_EQ(countPixelsNot(group, RECT{4, 20, 116, 70}, kWhite), 0) << "the parent's white shows through";
  // A focused radio button draws a dotted rectangle round its text.
  SetFocus(radio);
  MessageLog::pump();
  EXPECT_GT(countPixelsNot(radio, RECT{15, 0, 60, 7}, kFace), 5);
}

}  // namespace
