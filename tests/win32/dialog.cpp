// The dialog manager: modal dialogs from the program's templates, their focus rule, results, owner,
// geometry, default procedure and item calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "resources/resource.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

class DialogTest : public testing::Test {
 protected:
  void SetUp() override { script() = DialogScript{}; }
  OwnerWindow owner;
};

TEST_F(DialogTest, ReturnsEndDialogsValueAndGivesTheOwnerBack) {
  INT_PTR result = runProgramDialog(IDD_ABOUT, owner.hwnd(), {run([&] {
                                      HWND dialog = GetActiveWindow();
                                      EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
                                      EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.hwnd());
                                      EndDialog(dialog, 1234);
                                    })});
  EXPECT_EQ(result, 1234);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(GetActiveWindow(), owner.hwnd());
  // A child window as owner stands for its top-level window.
  HWND child =
      CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner.hwnd(), nullptr, nullptr, nullptr);
  runProgramDialog(IDD_ABOUT, child, {run([&] { EXPECT_EQ(GetWindow(GetActiveWindow(), GW_OWNER), owner.hwnd()); })});
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST_F(DialogTest, FailsWithMinusOneOnlyWhenItCannotBeMade) {
  bool activated = false;
  OnDialogActivated watch([&](HWND) { activated = true; });
  SetLastError(0);
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(999), owner.hwnd(), scriptedDialogProc, 0), -1);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  HINSTANCE foreign = reinterpret_cast<HINSTANCE>(0x1234);
  EXPECT_EQ(DialogBoxParamA(foreign, MAKEINTRESOURCEA(IDD_ABOUT), owner.hwnd(), scriptedDialogProc, 0), -1);
  EXPECT_FALSE(activated);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  // EndDialog in WM_INITDIALOG ends the dialog before it is ever shown; the parameter arrives there.
  script().initResult = FALSE;
  script().onInit = [](HWND dialog, LPARAM param) { EndDialog(dialog, param); };
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_FIND), owner.hwnd(), scriptedDialogProc, 42), 42);
  EXPECT_FALSE(activated);
}

// TRUE from WM_INITDIALOG: the dialog manager focuses the first tab stop, which WM_INITDIALOG names;
// FALSE: the procedure's choice stands, and with no choice the first tab stop gets the focus when the
// dialog is activated.
TEST_F(DialogTest, FollowsTheFocusRule) {
  struct Case {
    int dialog;
    INT_PTR initResult;
    int focusOnInit, expected, firstTabStop;
  } cases[] = {
      {IDD_ABOUT, TRUE, 0, IDOK, IDOK},        {IDD_FIND, FALSE, IDC_FIND_TEXT, IDC_FIND_TEXT, IDOK},
      {IDD_CONFIRM, FALSE, IDNO, IDNO, IDYES}, {IDD_CONFIRM, TRUE, IDNO, IDYES, IDYES},
      {IDD_GOTO, FALSE, 0, IDOK, IDOK},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.dialog << " " << c.initResult << " " << c.focusOnInit);
    script() = DialogScript{};
    script().initResult = c.initResult;
    script().focusOnInit = c.focusOnInit;
    int focus = -1;
    runProgramDialog(c.dialog, owner.hwnd(), {run([&] { focus = GetDlgCtrlID(GetFocus()); })});
    EXPECT_EQ(focus, c.expected);
    EXPECT_EQ(script().initFocusId, c.firstTabStop);
  }
}

TEST_F(DialogTest, TheDialogManagerSelectsTheTextOfTheEditItFocuses) {
  DialogTemplate tmpl = dialogTemplate(100, 40, {control(0x81, 10, WS_TABSTOP | WS_BORDER, {0, 0, 80, 14})});
  script().onInit = [](HWND dialog, LPARAM) { SetDlgItemTextA(dialog, 10, "12345"); };
  OnDialogActivated answer([&](HWND dialog) {
    play(dialog, {run([&] {
           EXPECT_EQ(SendMessageA(GetFocus(), EM_GETSEL, 0, 0), MAKELRESULT(0, 5));
           // An edit box of a dialog draws the sunken 3-D border instead of a flat one.
           EXPECT_TRUE(GetWindowLongA(GetFocus(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
           EXPECT_FALSE(GetWindowLongA(GetFocus(), GWL_STYLE) & WS_BORDER);
         })});
  });
  EXPECT_EQ(dialogBoxIndirect(tmpl, owner.hwnd()), kStillOpen);
}

// What DialogBox returns then and whether it enables the owner again is not documented. The stand-in
// returns 0 and gives the owner back, as Wine's dialog loop once did; Wine's loop today returns IDOK and
// leaves the owner disabled, which Windows has not been seen to confirm or refute here.
TEST_F(DialogTest, AQuitMessageEndsTheDialogAndIsPostedAgain) {
  INT_PTR result = runProgramDialog(IDD_FIND, owner.hwnd(), {run([] { PostQuitMessage(7); })});
  if (!runningUnderWine()) {
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  }
  EXPECT_NE(result, kStillOpen) << "the dialog ended before its script did";
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

// A dialog unit is a quarter of the dialog font's average letter width across and an eighth of its height
// down; without a font of its own a dialog measures with the system font.
TEST_F(DialogTest, MeasuresInTheDialogFontsUnits) {
  auto baseUnits = [](HWND window, HFONT font) {
    HDC dc = GetDC(window);
    SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SIZE letters;
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    ReleaseDC(window, dc);
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
  };
  auto pixels = [](int units, int base, int per) { return (units * base + per / 2) / per; };  // as MulDiv rounds
  SIZE system = baseUnits(nullptr, static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(system.cx, system.cy));
  runProgramDialog(IDD_FIND, owner.hwnd(), {run([&] {
                     HWND dialog = GetActiveWindow();
                     SIZE base = baseUnits(dialog, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
                     RECT client, ok, units{4, 8, 12, 24};
                     GetClientRect(dialog, &client);
                     GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
                     ScreenToClient(dialog, reinterpret_cast<POINT *>(&ok.left));
                     ScreenToClient(dialog, reinterpret_cast<POINT *>(&ok.right));
                     EXPECT_EQ(client.right, pixels(186, base.cx, 4));
                     EXPECT_EQ(client.bottom, pixels(63, base.cy, 8));
                     EXPECT_EQ(ok.left, pixels(123, base.cx, 4));
                     EXPECT_EQ(ok.top, pixels(12, base.cy, 8));
                     EXPECT_EQ(ok.bottom - ok.top, pixels(14, base.cy, 8));
                     EXPECT_TRUE(MapDialogRect(dialog, &units));
                     EXPECT_EQ(units.left, base.cx);
                     EXPECT_EQ(units.top, base.cy);
                     EXPECT_EQ(units.right, 3 * base.cx);
                     EXPECT_EQ(units.bottom, 3 * base.cy);
                   })});
}

// The template's (x, y) places the client area: from the owner's client area, or from the screen's corner
// with DS_ABSALIGN or without an owner. DS_CENTER centres the window on the screen. Either way the window
// stays on the screen.
TEST_F(DialogTest, OpensWhereItsTemplateSays) {
  POINT ownerClient{0, 0};
  ClientToScreen(owner.hwnd(), &ownerClient);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int frame = GetSystemMetrics(SM_CXDLGFRAME);
  struct Opened {
    RECT window;
    POINT client, offset;  // the client area's corner; the template's (x, y) in pixels
  };
  struct Case {
    const char *name;
    DWORD style;
    short x, y;
    bool owned;
    std::function<void(const Opened &)> check;
  } cases[] = {
      {"from the owner's client area", 0, 10, 20, true,
       [&](const Opened &o) {
         EXPECT_EQ(o.client.x, ownerClient.x + o.offset.x);
         EXPECT_EQ(o.client.y, ownerClient.y + o.offset.y);
       }},
      {"from the screen with DS_ABSALIGN", DS_ABSALIGN, 10, 20, true,
       [](const Opened &o) {
         EXPECT_EQ(o.client.x, o.offset.x);
         EXPECT_EQ(o.client.y, o.offset.y);
       }},
      {"from the screen without an owner", 0, 10, 20, false,
       [](const Opened &o) {
         EXPECT_EQ(o.client.x, o.offset.x);
         EXPECT_EQ(o.client.y, o.offset.y);
       }},
      {"centred with DS_CENTER", DS_CENTER, 10, 20, true,
       [&](const Opened &o) {
         EXPECT_NEAR(o.window.left + o.window.right, screenWidth, 1);
         EXPECT_NEAR(o.window.top + o.window.bottom, screenHeight, 1);
       }},
      {"a dialog frame inside the right and bottom edges", DS_ABSALIGN, 1000, 1000, true,
       [&](const Opened &o) {
         EXPECT_EQ(o.window.right, screenWidth - frame);
         EXPECT_EQ(o.window.bottom, screenHeight - frame);
       }},
      {"not past the top left corner", DS_ABSALIGN, -30, -40, true,
       [](const Opened &o) {
         EXPECT_EQ(o.window.left, 0);
         EXPECT_EQ(o.window.top, 0);
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    DialogTemplate tmpl = dialogTemplate(100, 50, {});
    tmpl.style |= c.style;
    tmpl.x = c.x;
    tmpl.y = c.y;
    Opened opened{};
    script().onInit = [&](HWND dialog, LPARAM) {
      GetWindowRect(dialog, &opened.window);
      ClientToScreen(dialog, &opened.client);
      RECT offset{c.x, c.y, 0, 0};
      MapDialogRect(dialog, &offset);
      opened.offset = {offset.left, offset.top};
      EndDialog(dialog, IDOK);
    };
    dialogBoxIndirect(tmpl, c.owned ? owner.hwnd() : nullptr);
    c.check(opened);
  }
}

TEST_F(DialogTest, TheDefaultProcedure) {
  script().ending = {};
  script().onInit = [](HWND dialog, LPARAM) { SetWindowLongPtrA(dialog, DWLP_USER, 0x5151); };
  runProgramDialog(IDD_FIND, owner.hwnd(), {run([&] {
                     HWND dialog = GetActiveWindow();
                     char className[16] = "";
                     GetClassNameA(dialog, className, sizeof className);
                     EXPECT_STREQ(className, "#32770");
                     EXPECT_EQ(clientPixel(dialog, 2, 2), GetSysColor(COLOR_BTNFACE));
                     EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(scriptedDialogProc));
                     EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), 0x5151);
                     EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
                     SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
                     EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDCANCEL, DC_HASDEFID));
                     EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
                     EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
                     PostMessageA(dialog, WM_CLOSE, 0, 0);
                   })});
  // WM_CLOSE became the Cancel button's command.
  ASSERT_EQ(script().commands.size(), 1u);
  EXPECT_EQ(script().commands[0], std::make_pair(IDCANCEL, int(BN_CLICKED)));
}

constexpr UINT kAnswer = WM_USER + 0x100;  // past the DM_* messages

INT_PTR CALLBACK answeringProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAnswer) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 77);
    return TRUE;
  }
  if (message == kAnswer + 1) return TRUE;  // handled, but no result set
  return scriptedDialogProc(dialog, message, wParam, lParam);
}

TEST_F(DialogTest, AnswersComeThroughDwlpMsgResult) {
  OnDialogActivated answer([&](HWND dialog) {
    play(dialog, {run([dialog] {
           EXPECT_EQ(SendMessageA(dialog, kAnswer, 0, 0), 77);
           EXPECT_EQ(SendMessageA(dialog, kAnswer + 1, 0, 0), 0);
         })});
  });
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_ABOUT), owner.hwnd(), answeringProc, 0), kStillOpen);
}

// A message box over the dialog takes the focus; when it closes, the control that had it gets it back.
TEST_F(DialogTest, GivesTheFocusBackAfterAnotherWindowWasActive) {
  script().initResult = FALSE;
  script().focusOnInit = IDC_FIND_TEXT;
  bool boxHadFocus = false;
  int focusAfter = 0;
  OnDialogActivated answer([&](HWND dialog) {
    if (textOf(dialog) == "Nested") {
      play(dialog, {run([&, dialog] { boxHadFocus = IsChild(dialog, GetFocus()); }), key(VK_RETURN)});
      return;
    }
    play(dialog, {run([dialog] { MessageBoxA(dialog, "hello", "Nested", MB_OK); }),
                  run([&] { focusAfter = GetDlgCtrlID(GetFocus()); })});
  });
  DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_FIND), owner.hwnd(), scriptedDialogProc, 0);
  EXPECT_TRUE(boxHadFocus);
  EXPECT_EQ(focusAfter, IDC_FIND_TEXT);
}

// A click with the pointer reaches the button under it, which answers the dialog.
TEST_F(DialogTest, AClickOnAButtonAnswersTheDialog) {
  script().ending = {IDYES, IDNO};
  auto click = [](screen::Pointer action) {
    RECT no;
    GetWindowRect(GetDlgItem(GetActiveWindow(), IDNO), &no);
    screen::pointer(action, POINT{(no.left + no.right) / 2, (no.top + no.bottom) / 2});
  };
  EXPECT_EQ(runProgramDialog(IDD_CONFIRM, owner.hwnd(),
                             {run([&] { click(screen::Pointer::Press); }),
                              run([] { EXPECT_EQ(GetDlgCtrlID(GetCapture()), IDNO); }),
                              run([&] { click(screen::Pointer::Release); })}),
            IDNO);
}

TEST_F(DialogTest, ItemCalls) {
  runProgramDialog(IDD_FIND, owner.hwnd(), {run([&] {
                     HWND dialog = GetActiveWindow();
                     EXPECT_TRUE(SetDlgItemTextA(dialog, IDC_FIND_TEXT, "abc123"));
                     char buffer[8] = "xxxxxxx";
                     EXPECT_EQ(GetDlgItemTextA(dialog, IDC_FIND_TEXT, buffer, 4), 3u);
                     EXPECT_STREQ(buffer, "abc");
                     EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_FIND_TEXT, WM_GETTEXTLENGTH, 0, 0), 6);
                     SetLastError(0);
                     EXPECT_EQ(GetDlgItem(dialog, 4711), nullptr);
                     // Windows sets ERROR_CONTROL_ID_NOT_FOUND, as its documentation of GetDlgItem says the
                     // last error tells why it failed; Wine's GetDlgItem leaves the last error as it was.
                     if (!runningUnderWine()) {
                       EXPECT_EQ(GetLastError(), 1421u);
                     }
                     EXPECT_EQ(GetDlgItemTextA(dialog, 4711, buffer, 8), 0u);
                     EXPECT_STREQ(buffer, "");
                     EXPECT_FALSE(SetDlgItemTextA(dialog, 4711, "x"));
                     EXPECT_TRUE(CheckRadioButton(dialog, IDC_FIND_HEX, IDC_FIND_ASCII, IDC_FIND_ASCII));
                     EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_HEX), UINT(BST_UNCHECKED));
                     EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_ASCII), UINT(BST_CHECKED));
                     CheckRadioButton(dialog, IDC_FIND_HEX, IDC_FIND_ASCII, IDC_FIND_HEX);
                     EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_HEX), UINT(BST_CHECKED));
                     EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIND_ASCII), UINT(BST_UNCHECKED));
                   })});
}

// The Find dialog's controls, in template order: OK, Cancel, Hex (WS_GROUP), ASCII, the edit box and the
// label (WS_GROUP). Checking ASCII takes WS_TABSTOP from Hex.
TEST_F(DialogTest, TabAndGroupOrder) {
  script().onInit = [](HWND dialog, LPARAM) { CheckRadioButton(dialog, IDC_FIND_HEX, IDC_FIND_ASCII, IDC_FIND_ASCII); };
  runProgramDialog(IDD_FIND, owner.hwnd(), {run([&] {
                     HWND dialog = GetActiveWindow();
                     auto item = [&](int id) { return id ? GetDlgItem(dialog, id) : nullptr; };
                     struct Case {
                       int from;
                       BOOL previous;
                       int tab, group;
                     } cases[] = {
                         {IDOK, FALSE, IDCANCEL, IDCANCEL},
                         {IDCANCEL, FALSE, IDC_FIND_ASCII, 0xFFFF},
                         {IDC_FIND_ASCII, FALSE, IDC_FIND_TEXT, IDC_FIND_TEXT},
                         {IDC_FIND_TEXT, FALSE, IDOK, IDC_FIND_HEX},
                         {IDC_FIND_HEX, TRUE, IDCANCEL, IDC_FIND_TEXT},
                         {IDOK, TRUE, IDC_FIND_TEXT, 0xFFFF},
                         {0, FALSE, IDOK, IDOK},
                     };
                     for (const Case &c : cases) {
                       SCOPED_TRACE(testing::Message() << c.from << (c.previous ? " back" : " forward"));
                       EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, item(c.from), c.previous)), c.tab);
                       EXPECT_EQ(GetDlgCtrlID(GetNextDlgGroupItem(dialog, item(c.from), c.previous)), c.group);
                     }
                     EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), nullptr);
                     EXPECT_EQ(GetNextDlgGroupItem(dialog, nullptr, TRUE), nullptr);
                     // Disabled and hidden controls are passed over.
                     EnableWindow(item(IDCANCEL), FALSE);
                     ShowWindow(item(IDC_FIND_ASCII), SW_HIDE);
                     EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, item(IDOK), FALSE)), IDC_FIND_TEXT);
                     EXPECT_EQ(GetDlgCtrlID(GetNextDlgGroupItem(dialog, item(IDC_FIND_HEX), FALSE)), IDC_FIND_TEXT);
                   })});
}

}  // namespace
