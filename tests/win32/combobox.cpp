// The drop-down list combo box: CB_* messages, keyboard, the dropped list under the mouse, notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

constexpr int kId = 6;
constexpr int kHeight = 122;  // the field and the dropped list

// Windows draws the combo box of a program without a common-controls manifest in the classic look; Wine
// themes it when a theme is active, and then only what the theme leaves alone is checked.
bool classic() { return !screen::controlsThemed(); }

class ComboBox : public testing::Test {
 protected:
  void SetUp() override {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400);
    combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10, 150,
                            kHeight, parent, reinterpret_cast<HMENU>(kId), nullptr, nullptr);
    for (const char *name : {"one", "two", "three", "four"}) send(CB_ADDSTRING, 0, LPARAM(name));
    row = dialog_test::lineHeight(combo);
    // Eight pixels more than a line of the font: Wine's conformance tests of the combo box, which pass on
    // Windows, measure the field so.
    field = row + 8;
    log.clear();
  }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(combo, message, wParam, lParam);
  }
  int selection() { return int(send(CB_GETCURSEL)); }
  bool dropped() { return send(CB_GETDROPPEDSTATE) != 0; }
  // The CBN_* codes the parent heard since the last call.
  std::vector<int> notifications() {
    std::vector<int> codes;
    for (const LoggedMessage &m : log.messages)
      if (m.message == WM_COMMAND && HWND(m.lParam) == combo && LOWORD(m.wParam) == kId)
        codes.push_back(HIWORD(m.wParam));
    log.clear();
    return codes;
  }
  // The dropped list, as GetComboBoxInfo would name it on Windows.
  HWND list() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
  }

  MessageLog log;
  HWND parent = nullptr, combo = nullptr;
  int row = 0, field = 0;
};

const std::vector<int> kKeyboardCommit{CBN_SELENDOK, CBN_SELCHANGE};
const std::vector<int> kCancelled{CBN_SELENDCANCEL, CBN_CLOSEUP};

TEST_F(ComboBox, MessagesAnswerAsWindows) {
  EXPECT_EQ(send(CB_GETCOUNT), 4);
  EXPECT_EQ(selection(), CB_ERR);
  EXPECT_EQ(send(CB_SETCURSEL, 9), CB_ERR);
  EXPECT_EQ(send(CB_SETCURSEL, 1), 1);
  EXPECT_EQ(send(CB_SETCURSEL, 9), CB_ERR);
  EXPECT_EQ(selection(), 1);
  char buffer[16] = "";
  EXPECT_EQ(send(CB_GETLBTEXT, 2, LPARAM(buffer)), 5);
  EXPECT_STREQ(buffer, "three");
  EXPECT_EQ(send(CB_GETLBTEXTLEN, 2), 5);
  EXPECT_EQ(send(CB_GETLBTEXT, 7, LPARAM(buffer)), CB_ERR);
  EXPECT_EQ(send(CB_GETLBTEXTLEN, 7), CB_ERR);
  EXPECT_EQ(dialog_test::textOf(combo), "two") << "the window text is the selected item";
  EXPECT_EQ(GetWindowTextLengthA(combo), 3);
  EXPECT_EQ(send(CB_SETCURSEL, WPARAM(-1)), CB_ERR);
  EXPECT_EQ(dialog_test::textOf(combo), "");
  // "This message always returns CB_OKAY" (CB_RESETCONTENT in Microsoft's documentation); Wine answers TRUE.
  EXPECT_EQ(send(CB_RESETCONTENT), runningUnderWine() ? TRUE : CB_OKAY);
  EXPECT_EQ(send(CB_GETCOUNT), 0);
  EXPECT_TRUE(notifications().empty()) << "messages never notify";
}

// The creation height covers the field and the list: the window keeps the field's height, and the list
// drops under it, as tall as its items within what is left.
TEST_F(ComboBox, FieldKeepsOneLineAndTheListDropsBelowIt) {
  RECT box, dropped;
  GetWindowRect(combo, &box);
  EXPECT_EQ(box.bottom - box.top, field);
  RECT client;
  GetClientRect(combo, &client);
  EXPECT_EQ(client.right, 150) << "WS_VSCROLL is the list's, not the field's";
  send(CB_SHOWDROPDOWN, TRUE);
  GetWindowRect(list(), &dropped);
  EXPECT_EQ(dropped.left, box.left);
  EXPECT_EQ(dropped.right, box.right);
  EXPECT_EQ(dropped.top, box.bottom);
  EXPECT_EQ(dropped.bottom - dropped.top, 4 * row + 2) << "four items and the border";
  EXPECT_TRUE(IsWindowVisible(list()));
  EXPECT_EQ(GetActiveWindow(), parent) << "dropping activates nothing";
  for (int i = 0; i < 8; ++i) send(CB_ADDSTRING, 0, LPARAM("more"));
  send(CB_SHOWDROPDOWN, FALSE);
  EXPECT_FALSE(IsWindowVisible(list()));
  send(CB_SHOWDROPDOWN, TRUE);
  GetWindowRect(list(), &dropped);
  EXPECT_EQ(dropped.bottom - dropped.top, (kHeight - field - 2) / row * row + 2) << "the whole rows that fit";
}

TEST_F(ComboBox, ClosedKeysCommitAtOnce) {
  SetFocus(combo);
  notifications();
  struct Case {
    int start;
    int key;
    int selected;
  } cases[] = {
      {1, VK_DOWN, 2}, {3, VK_DOWN, 3}, {2, VK_RIGHT, 3}, {2, VK_UP, 1}, {2, VK_LEFT, 1},
      {0, VK_UP, 0},   {2, VK_HOME, 0}, {0, VK_END, 3},   {0, VK_NEXT, 3},
  };
  for (const Case &c : cases) {
    send(CB_SETCURSEL, WPARAM(c.start));
    send(WM_KEYDOWN, WPARAM(c.key));
    EXPECT_EQ(selection(), c.selected) << "key " << c.key << " from " << c.start;
    EXPECT_EQ(notifications(), kKeyboardCommit) << "key " << c.key << " from " << c.start;
    EXPECT_FALSE(dropped());
  }
}

TEST_F(ComboBox, TypedLetterSelectsTheNextItemStartingWithIt) {
  send(CB_SETCURSEL, 0);
  struct Case {
    char typed;
    int selected;
    std::vector<int> heard;
  } cases[] = {{'t', 1, kKeyboardCommit}, {'T', 2, kKeyboardCommit}, {'o', 0, kKeyboardCommit}, {'x', 0, {}}};
  for (const Case &c : cases) {
    send(WM_CHAR, WPARAM(c.typed));
    EXPECT_EQ(selection(), c.selected) << c.typed;
    EXPECT_EQ(notifications(), c.heard) << c.typed;
  }
}

TEST_F(ComboBox, NothingSelectedTheFirstKeySelectsTheFirstItem) {
  send(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(selection(), 0);
}

// F4 and Alt+Down open and cancel; in the open list the arrows still commit (CBN_SELCHANGE alone), Enter
// closes as chosen and Escape as cancelled, both keeping what the keys selected.
TEST_F(ComboBox, DropDownKeys) {
  SetFocus(combo);
  send(CB_SETCURSEL, 1);
  notifications();
  struct Step {
    UINT message;
    WPARAM key;
    LPARAM lParam;
    bool dropped;
    int selected;
    std::vector<int> heard;
  } steps[] = {
      {WM_KEYDOWN, VK_F4, 0, true, 1, {CBN_DROPDOWN}},
      {WM_KEYDOWN, VK_DOWN, 0, true, 2, {CBN_SELCHANGE}},
      {WM_KEYDOWN, VK_ESCAPE, 0, false, 2, kCancelled},
      {WM_SYSKEYDOWN, VK_DOWN, 1 << 29, true, 2, {CBN_DROPDOWN}},
      {WM_KEYDOWN, VK_UP, 0, true, 1, {CBN_SELCHANGE}},
      {WM_KEYDOWN, VK_RETURN, 0, false, 1, {CBN_SELENDOK, CBN_CLOSEUP}},
      {WM_KEYDOWN, VK_F4, 0, true, 1, {CBN_DROPDOWN}},
      {WM_KEYDOWN, VK_F4, 0, false, 1, kCancelled},
      {WM_SYSKEYDOWN, VK_UP, 1 << 29, true, 1, {CBN_DROPDOWN}},
      {WM_SYSKEYDOWN, VK_UP, 1 << 29, false, 1, kCancelled},
      {WM_KEYDOWN, VK_RETURN, 0, false, 1, {}},
  };
  int n = 0;
  for (const Step &s : steps) {
    send(s.message, s.key, s.lParam);
    EXPECT_EQ(dropped(), s.dropped) << "step " << n;
    EXPECT_EQ(selection(), s.selected) << "step " << n;
    EXPECT_EQ(notifications(), s.heard) << "step " << n;
    ++n;
  }
}

TEST_F(ComboBox, LosingTheFocusClosesTheList) {
  SetFocus(combo);
  send(CB_SHOWDROPDOWN, TRUE);
  notifications();
  SetFocus(parent);
  EXPECT_FALSE(dropped());
  EXPECT_EQ(notifications(), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBox, WantsEnterAndEscapeOnlyWhileOpen) {
  MSG enter{combo, WM_KEYDOWN, VK_RETURN, 0, 0, {}}, escape{combo, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_EQ(send(WM_GETDLGCODE, VK_RETURN, LPARAM(&enter)), DLGC_WANTARROWS | DLGC_WANTCHARS);
  send(CB_SHOWDROPDOWN, TRUE);
  EXPECT_EQ(send(WM_GETDLGCODE, VK_RETURN, LPARAM(&enter)), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE);
  EXPECT_EQ(send(WM_GETDLGCODE, VK_ESCAPE, LPARAM(&escape)), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE);
}

// The open list holds the capture: the pointer highlights, a release on an item chooses it, a press
// outside closes the list with the selection it had.
TEST_F(ComboBox, MouseChoosesFromTheDroppedList) {
  send(CB_SETCURSEL, 1);
  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  EXPECT_TRUE(dropped());
  EXPECT_EQ(GetFocus(), combo);
  // The release goes to whichever window holds the capture, as the mouse's would.
  HWND holder = GetCapture();
  ASSERT_NE(holder, nullptr);
  POINT over{20, 10};
  ClientToScreen(combo, &over);
  ScreenToClient(holder, &over);
  SendMessageA(holder, WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
  EXPECT_TRUE(dropped()) << "releasing the button over the field leaves the list open";
  EXPECT_EQ(GetCapture(), list());
  SendMessageA(list(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 3 * row + 3));
  EXPECT_EQ(selection(), 3) << "highlighted";
  SendMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 300));
  EXPECT_FALSE(dropped());
  EXPECT_EQ(selection(), 1) << "closing without a choice restores the selection";
  EXPECT_EQ(notifications(), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}))
      << "the click takes the focus first";

  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 2 * row + 3));
  SendMessageA(list(), WM_LBUTTONUP, 0, MAKELPARAM(20, 2 * row + 3));
  EXPECT_FALSE(dropped());
  EXPECT_EQ(selection(), 2);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(notifications(), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

// With the real mouse: the click on the dropped list arrives in the list's own desktop window, and the
// capture brings it to the list.
TEST_F(ComboBox, RealClicksOpenAndChoose) {
  dialog_test::pumpMessages();
  auto click = [](HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    for (auto action : {screen::Pointer::Press, screen::Pointer::Release}) screen::pointer(action, client);
    dialog_test::pumpMessages();
  };
  click(combo, POINT{140, 10});
  ASSERT_TRUE(dropped());
  click(list(), POINT{20, 3 * row + 5});
  EXPECT_FALSE(dropped());
  EXPECT_EQ(selection(), 3);
  EXPECT_EQ(notifications(),
            (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboBox, TheScrollBarOfTheDroppedListScrollsAndKeepsItOpen) {
  for (int i = 0; i < 8; ++i) send(CB_ADDSTRING, 0, LPARAM("more"));
  send(CB_SHOWDROPDOWN, TRUE);
  RECT client;
  GetClientRect(list(), &client);
  POINT downArrow{client.right + 5, client.bottom - 5};
  PostMessageA(list(), WM_LBUTTONUP, 0, MAKELPARAM(downArrow.x, downArrow.y));
  SendMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(downArrow.x, downArrow.y));
  EXPECT_EQ(SendMessageA(list(), LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_TRUE(dropped());
  EXPECT_EQ(GetCapture(), list());
}

TEST_F(ComboBox, FocusedFieldShowsTheSelectionHighlighted) {
  send(CB_SETCURSEL, 0);
  dialog_test::pumpMessages();
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  RECT text{4, 4, 120, 4 + row - 2};
  EXPECT_EQ(dialog_test::countPixels(combo, text, highlight), 0);
  EXPECT_GT(dialog_test::countPixels(combo, text, GetSysColor(COLOR_WINDOWTEXT)), 0) << "the text, plain";
  SetFocus(combo);
  dialog_test::pumpMessages();
  EXPECT_GT(dialog_test::countPixels(combo, text, highlight), (text.right - text.left) * (text.bottom - text.top) / 2);
  EXPECT_GT(dialog_test::countPixels(combo, text, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0) << "the text, highlighted";
  if (classic()) {
    RECT button{150 - 2 - GetSystemMetrics(SM_CXVSCROLL), 2, 148, field - 2};
    EXPECT_GT(dialog_test::countPixels(combo, button, GetSysColor(COLOR_BTNFACE)), 100) << "the arrow button";
    EXPECT_EQ(dialog_test::clientPixel(combo, 0, 10), GetSysColor(COLOR_BTNSHADOW)) << "the sunken edge";
  }
}

// In a dialog the open list takes Enter and Escape; closed, they reach the dialog's buttons.
TEST(ComboBoxInDialog, EnterAndEscapeCloseTheListFirst) {
  constexpr int kBox = 100;  // clear of the identifiers that end a scripted dialog
  dialog_test::OwnerWindow owner;
  dialog_test::DialogTemplate tmpl = dialog_test::dialogTemplate(
      150, 80, {dialog_test::control(0x85, kBox, WS_TABSTOP | CBS_DROPDOWNLIST, {5, 5, 80, 60}),
                dialog_test::control(0x80, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, {100, 5, 40, 12}, "OK")});
  tmpl.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  dialog_test::script() = dialog_test::DialogScript{};
  dialog_test::script().onInit = [](HWND dialog, LPARAM) {
    for (const char *name : {"a", "b", "c"}) SendDlgItemMessageA(dialog, kBox, CB_ADDSTRING, 0, LPARAM(name));
    SendDlgItemMessageA(dialog, kBox, CB_SETCURSEL, 0, 0);
  };
  bool openAfterF4 = false, openAfterEnter = true, openAfterEscape = true;
  int selected = -1;
  std::vector<int> heard;
  HWND dialogSeen = nullptr;
  auto combo = [&] { return GetDlgItem(dialogSeen, kBox); };
  using namespace dialog_test;
  OnDialogActivated answer([&](HWND dialog) {
    dialogSeen = dialog;
    play(dialog, {key(VK_F4), run([&] { openAfterF4 = SendMessageA(combo(), CB_GETDROPPEDSTATE, 0, 0); }),
                  key(VK_DOWN), key(VK_RETURN),
                  run([&] {
                    openAfterEnter = SendMessageA(combo(), CB_GETDROPPEDSTATE, 0, 0);
                    selected = int(SendMessageA(combo(), CB_GETCURSEL, 0, 0));
                  }),
                  key(VK_F4), key(VK_ESCAPE),
                  run([&] {
                    openAfterEscape = SendMessageA(combo(), CB_GETDROPPEDSTATE, 0, 0);
                    for (auto [id, code] : script().commands)
                      if (id == kBox) heard.push_back(code);
                  }),
                  key(VK_RETURN)});
  });
  INT_PTR result = dialog_test::dialogBoxIndirect(tmpl, owner.hwnd());
  EXPECT_TRUE(openAfterF4);
  EXPECT_FALSE(openAfterEnter);
  EXPECT_FALSE(openAfterEscape);
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(result, IDOK) << "only the last Enter reached the dialog";
  // What the box said while the dialog was in use: the dialog gave it the focus first.
  EXPECT_EQ(heard, (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP, CBN_DROPDOWN,
                                     CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

}  // namespace
