// The dialog keyboard (IsDialogMessageA): Tab, arrows in radio groups, Enter, Escape, access keys, the
// default button following the focus, WM_GETDLGCODE, and keys typed on the real keyboard.
#include <gtest/gtest.h>
#include <windows.h>

#include "resources/resource.h"
#include "support/platform_screen.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

class DialogKeysTest : public testing::Test {
 protected:
  void SetUp() override { script() = DialogScript{}; }
  OwnerWindow owner;
};

struct KeyCase {
  const char *name;
  int dialog;
  INT_PTR initResult;
  int focusOnInit;
  std::vector<Action> actions;
  INT_PTR result;
};

void runCases(HWND owner, const std::vector<KeyCase> &cases) {
  for (const KeyCase &c : cases) {
    SCOPED_TRACE(c.name);
    script() = DialogScript{};
    script().initResult = c.initResult;
    script().focusOnInit = c.focusOnInit;
    if (c.dialog == IDD_CONFIRM) script().ending = {IDYES, IDNO};  // like the program: Cancel is ignored
    EXPECT_EQ(runProgramDialog(c.dialog, owner, c.actions), c.result);
  }
}

TEST_F(DialogKeysTest, EnterEscapeAndAccessKeys) {
  runCases(owner.hwnd(),
           {
               {"About: Enter", IDD_ABOUT, TRUE, 0, {key(VK_RETURN)}, IDOK},
               {"About: Escape", IDD_ABOUT, TRUE, 0, {key(VK_ESCAPE)}, IDCANCEL},
               {"About: Space on OK", IDD_ABOUT, TRUE, 0, {key(VK_SPACE)}, IDOK},
               {"Find: Enter in the edit box", IDD_FIND, FALSE, IDC_FIND_TEXT, {key(VK_RETURN)}, IDOK},
               {"Find: Escape in the edit box", IDD_FIND, FALSE, IDC_FIND_TEXT, {key(VK_ESCAPE)}, IDCANCEL},
               {"Find: Tab to OK, Tab to Cancel, Enter",
                IDD_FIND,
                FALSE,
                IDC_FIND_TEXT,
                {key(VK_TAB), key(VK_TAB), key(VK_RETURN)},
                IDCANCEL},
               {"Confirm: Escape does nothing", IDD_CONFIRM, FALSE, IDNO, {key(VK_ESCAPE)}, kStillOpen},
               {"Confirm: Space answers the focused No", IDD_CONFIRM, FALSE, IDNO, {key(VK_SPACE)}, IDNO},
               {"Confirm: y", IDD_CONFIRM, FALSE, IDNO, {character('y')}, IDYES},
               {"Confirm: N", IDD_CONFIRM, FALSE, IDNO, {character('N')}, IDNO},
               {"Confirm: Alt+N", IDD_CONFIRM, FALSE, IDNO, {altCharacter('n')}, IDNO},
               {"Confirm: a key no button has", IDD_CONFIRM, FALSE, IDNO, {character('x')}, kStillOpen},
               // SetFocus does not move the default button, so Enter still means Yes (as on Windows).
               {"Confirm: Enter", IDD_CONFIRM, FALSE, IDNO, {key(VK_RETURN)}, IDYES},
               {"Confirm: Tab to Yes, Shift+Tab to No, Enter",
                IDD_CONFIRM,
                FALSE,
                IDNO,
                {key(VK_TAB), holdKey(VK_SHIFT), key(VK_TAB), releaseKey(VK_SHIFT), key(VK_RETURN)},
                IDNO},
               {"Go-to: a letter goes into the edit box", IDD_GOTO, FALSE, IDC_GOTO_TEXT, {character('y')}, kStillOpen},
           });
}

TEST_F(DialogKeysTest, EscapeWithoutACancelButtonStillSendsIdCancel) {
  script().ending = {};
  runProgramDialog(IDD_CONFIRM, owner.hwnd(), {key(VK_ESCAPE)});
  ASSERT_EQ(script().commands.size(), 1u);
  EXPECT_EQ(script().commands[0].first, IDCANCEL);
}

TEST_F(DialogKeysTest, TabWalksTheTabStopsAndSelectsAnEditBoxText) {
  script().onInit = [](HWND dialog, LPARAM) { SetDlgItemTextA(dialog, IDC_GOTO_TEXT, "1234"); };
  std::vector<int> focus;
  auto note = [&] { focus.push_back(GetDlgCtrlID(GetFocus())); };
  DWORD begin = 9, end = 9;
  runProgramDialog(IDD_GOTO, owner.hwnd(),
                   {run(note), key(VK_TAB), run(note), key(VK_TAB), run(note),
                    run([&] { SendMessageA(GetFocus(), EM_GETSEL, WPARAM(&begin), LPARAM(&end)); }), key(VK_TAB),
                    run(note), holdKey(VK_SHIFT), key(VK_TAB), releaseKey(VK_SHIFT), run(note)});
  EXPECT_EQ(focus, (std::vector<int>{IDOK, IDCANCEL, IDC_GOTO_TEXT, IDOK, IDC_GOTO_TEXT}));
  EXPECT_EQ(begin, 0u);
  EXPECT_EQ(end, 4u);
}

TEST_F(DialogKeysTest, TheDefaultButtonFollowsTheFocusAmongPushButtons) {
  auto types = [] {
    HWND dialog = GetActiveWindow();
    return std::make_pair(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK,
                          GetWindowLongA(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & BS_TYPEMASK);
  };
  std::vector<std::pair<LONG, LONG>> seen;
  LRESULT defId = 0;
  script().initResult = FALSE;
  script().focusOnInit = IDC_FIND_TEXT;
  runProgramDialog(
      IDD_FIND, owner.hwnd(),
      {run([&] { seen.push_back(types()); }), key(VK_TAB), run([&] { seen.push_back(types()); }), key(VK_TAB), run([&] {
         seen.push_back(types());
         defId = SendMessageA(GetActiveWindow(), DM_GETDEFID, 0, 0);
       }),
       key(VK_TAB), run([&] { seen.push_back(types()); })});
  std::vector<std::pair<LONG, LONG>> expected = {
      {BS_DEFPUSHBUTTON, BS_PUSHBUTTON},  // the edit box has the focus
      {BS_DEFPUSHBUTTON, BS_PUSHBUTTON},  // OK
      {BS_PUSHBUTTON, BS_DEFPUSHBUTTON},  // Cancel
      {BS_DEFPUSHBUTTON, BS_PUSHBUTTON},  // the Hex radio button: back to the dialog's default
  };
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(defId, MAKELRESULT(IDOK, DC_HASDEFID));
}

// The Find dialog's group Hex, ASCII and the edit box: arrows move through it and check the radio button
// they reach, which the dialog hears as a click; in the edit box they move the caret instead.
TEST_F(DialogKeysTest, ArrowsMoveThroughARadioGroup) {
  script().initResult = FALSE;
  script().focusOnInit = IDC_FIND_ASCII;
  script().onInit = [](HWND dialog, LPARAM) { CheckRadioButton(dialog, IDC_FIND_HEX, IDC_FIND_ASCII, IDC_FIND_ASCII); };
  struct Seen {
    int focus;
    UINT hex, ascii;
    bool operator==(const Seen &) const = default;
  };
  std::vector<Seen> seen;
  auto note = [&] {
    HWND dialog = GetActiveWindow();
    seen.push_back({GetDlgCtrlID(GetFocus()), IsDlgButtonChecked(dialog, IDC_FIND_HEX),
                    IsDlgButtonChecked(dialog, IDC_FIND_ASCII)});
  };
  runProgramDialog(IDD_FIND, owner.hwnd(),
                   {key(VK_LEFT), run(note), key(VK_DOWN), run(note), key(VK_RIGHT), run(note), key(VK_UP), run(note)});
  std::vector<Seen> expected = {
      {IDC_FIND_HEX, BST_CHECKED, BST_UNCHECKED},
      {IDC_FIND_ASCII, BST_UNCHECKED, BST_CHECKED},
      {IDC_FIND_TEXT, BST_UNCHECKED, BST_CHECKED},
      {IDC_FIND_TEXT, BST_UNCHECKED, BST_CHECKED},  // the edit box wants the arrows for its caret
  };
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(script().clicks(), (std::vector<int>{IDC_FIND_HEX, IDC_FIND_ASCII}));
}

// A dialog of an edit box and a "&Yes" button: a plain y is text for the box, Alt+Y is the access key.
TEST_F(DialogKeysTest, AccessKeysWithoutAltOnlyOutsideEditBoxes) {
  DialogTemplate tmpl = dialogTemplate(
      120, 40,
      {control(0x81, 10, WS_TABSTOP, {0, 0, 60, 14}), control(0x80, IDYES, WS_TABSTOP, {70, 0, 40, 14}, "&Yes")});
  std::string typed;
  OnDialogActivated answer([&](HWND dialog) {
    play(dialog, {character('y'), run([&, dialog] { typed = textOf(GetDlgItem(dialog, 10)); }), altCharacter('Y')});
  });
  EXPECT_EQ(dialogBoxIndirect(tmpl, owner.hwnd()), IDYES);
  EXPECT_EQ(typed, "y");
}

// A control that asks for keys (WM_GETDLGCODE) gets them instead of the dialog manager.
LRESULT CALLBACK greedyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  static std::vector<WPARAM> *keys = nullptr;
  if (message == WM_USER) keys = reinterpret_cast<std::vector<WPARAM> *>(lParam);
  if (message == WM_GETDLGCODE) return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
  if (message == WM_KEYDOWN && keys) keys->push_back(wParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(DialogKeysTest, ControlsThatWantKeysGetThem) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = greedyProc;
  wc.lpszClassName = "GreedyControl";
  RegisterClassA(&wc);
  struct Case {
    LRESULT code;
    std::vector<WPARAM> reaching;  // of Tab, Enter, Down
    std::vector<int> commands;
  } cases[] = {
      {DLGC_WANTALLKEYS, {VK_TAB, VK_RETURN, VK_DOWN}, {}},
      {DLGC_WANTTAB, {VK_TAB}, {IDOK}},
      {DLGC_WANTARROWS, {VK_DOWN}, {IDOK}},
      {0, {}, {IDOK}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.code);
    script() = DialogScript{};
    script().ending = {};
    DialogTemplate tmpl = dialogTemplate(100, 40,
                                                {control(0, 10, WS_TABSTOP, {0, 0, 20, 20}, "", "GreedyControl"),
                                                 control(0, 11, WS_TABSTOP, {30, 0, 20, 20}, "", "GreedyControl")});
    std::vector<WPARAM> keys;
    int focusAfter = 0;
    OnDialogActivated answer([&](HWND dialog) {
      HWND control = GetDlgItem(dialog, 10);
      SetWindowLongPtrA(control, GWLP_USERDATA, c.code);
      SendMessageA(control, WM_USER, 0, LPARAM(&keys));
      play(dialog, {key(VK_TAB), run([&] {
                      focusAfter = GetDlgCtrlID(GetFocus());
                      SetFocus(GetDlgItem(GetActiveWindow(), 10));
                    }),
                    key(VK_RETURN), key(VK_DOWN)});
    });
    dialogBoxIndirect(tmpl, owner.hwnd());
    SendMessageA(nullptr, WM_USER, 0, 0);
    EXPECT_EQ(keys, c.reaching);
    EXPECT_EQ(focusAfter, (c.code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) ? 10 : 11);
    std::vector<int> commands;
    for (auto [id, code] : script().commands) commands.push_back(id);
    EXPECT_EQ(commands, c.commands);
  }
  UnregisterClassA("GreedyControl", nullptr);
}

// Keys and text typed on the keyboard reach the dialog's loop as a user's typing: Tab moves the focus, and
// the Go-to box turns typed letters into capitals.
TEST_F(DialogKeysTest, KeysFromTheKeyboard) {
  script().initResult = FALSE;
  script().focusOnInit = IDC_GOTO_TEXT;
  std::string text;
  int focusAfterTab = 0;
  runProgramDialog(IDD_GOTO, owner.hwnd(),
                   {run([] { screen::typeText("ffh"); }), run([&] { text = textOf(GetFocus()); }),
                    run([] { screen::pressKey(VK_TAB); }), run([&] { focusAfterTab = GetDlgCtrlID(GetFocus()); }),
                    run([] { screen::pressKey(VK_RETURN); })});
  EXPECT_EQ(text, "FFH");
  EXPECT_EQ(focusAfterTab, IDOK);
  EXPECT_EQ(script().clicks(), (std::vector<int>{IDOK}));
}

}  // namespace
