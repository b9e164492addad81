// The list box: items, the single selection, the top index and scroll bar, keyboard, mouse and looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

constexpr int kId = 5;

class ListBox : public testing::Test {
 protected:
  void SetUp() override {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400);
    list = create(WS_VSCROLL | LBS_NOTIFY | WS_BORDER, 100);
    row = dialog_test::lineHeight(list);
    SetWindowPos(list, nullptr, 0, 0, 150, boxHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Six rows and a half inside the border: the box shows six whole rows.
  int boxHeight() const { return 6 * row + row / 2 + 2; }

  HWND create(DWORD style, int height) {
    return CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 150, height, parent,
                           reinterpret_cast<HMENU>(kId), nullptr, nullptr);
  }
  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(list, message, wParam, lParam);
  }
  LRESULT add(const char *text) { return send(LB_ADDSTRING, 0, LPARAM(text)); }
  void addNumbered(int count) {
    for (int i = 0; i < count; ++i) add(("item" + std::to_string(i)).c_str());
  }
  std::string text(int index) {
    char buffer[64] = "";
    send(LB_GETTEXT, WPARAM(index), LPARAM(buffer));
    return buffer;
  }
  // The LBN_* codes the parent heard from the list since the last call.
  std::vector<int> notifications() {
    std::vector<int> codes;
    for (const LoggedMessage &m : log.messages)
      if (m.message == WM_COMMAND && HWND(m.lParam) == list && LOWORD(m.wParam) == kId)
        codes.push_back(HIWORD(m.wParam));
    log.clear();
    return codes;
  }
  int selection() { return int(send(LB_GETCURSEL)); }

  MessageLog log;
  HWND parent = nullptr, list = nullptr;
  int row = 0;
};

TEST_F(ListBox, AddInsertAndDeleteAnswerAsWindows) {
  EXPECT_EQ(send(LB_GETCURSEL), LB_ERR);
  EXPECT_EQ(send(LB_SETCURSEL, 0), LB_ERR) << "nothing to select";
  EXPECT_EQ(add("a"), 0);
  EXPECT_EQ(add("b"), 1);
  EXPECT_EQ(send(LB_INSERTSTRING, WPARAM(-1), LPARAM("z")), 2) << "-1 appends";
  EXPECT_EQ(send(LB_INSERTSTRING, 5, LPARAM("q")), LB_ERR) << "past the end";
  EXPECT_EQ(send(LB_INSERTSTRING, 3, LPARAM("end")), 3) << "right at the end";
  EXPECT_EQ(send(LB_INSERTSTRING, 0, LPARAM("first")), 0);
  EXPECT_EQ(send(LB_GETCOUNT), 5);
  EXPECT_EQ(text(0), "first");
  EXPECT_EQ(text(4), "end");
  EXPECT_EQ(send(LB_GETTEXTLEN, 4), 3);
  EXPECT_EQ(send(LB_GETTEXT, 1, LPARAM(nullptr)), 1) << "without a buffer, the length";
  char buffer[8] = "keep";
  EXPECT_EQ(send(LB_GETTEXT, 9, LPARAM(buffer)), LB_ERR);
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(send(LB_GETTEXTLEN, 9), LB_ERR);
  EXPECT_EQ(send(LB_DELETESTRING, 7), LB_ERR);
  EXPECT_EQ(send(LB_DELETESTRING, 0), 4) << "the count that is left";
  EXPECT_EQ(text(0), "a");
  EXPECT_EQ(send(LB_RESETCONTENT), LB_OKAY);
  EXPECT_EQ(send(LB_GETCOUNT), 0);
}

TEST_F(ListBox, TheSelectionStaysOnItsItem) {
  for (const char *name : {"a", "b", "c", "d"}) add(name);
  EXPECT_EQ(send(LB_SETCURSEL, 2), 2);
  EXPECT_EQ(send(LB_SETCURSEL, 9), LB_ERR);
  EXPECT_EQ(selection(), 2) << "an index past the end leaves the selection alone";
  send(LB_INSERTSTRING, 0, LPARAM("new"));
  EXPECT_EQ(selection(), 3);
  send(LB_DELETESTRING, 0);
  EXPECT_EQ(selection(), 2);
  send(LB_DELETESTRING, 2);
  EXPECT_EQ(selection(), LB_ERR) << "deleting the selected item clears the selection";
  send(LB_SETCURSEL, 1);
  EXPECT_EQ(send(LB_SETCURSEL, WPARAM(-1)), LB_ERR) << "-1 clears and still answers LB_ERR";
  EXPECT_EQ(selection(), LB_ERR);
  send(LB_SETCURSEL, 1);
  send(LB_RESETCONTENT);
  EXPECT_EQ(selection(), LB_ERR);
  EXPECT_TRUE(notifications().empty()) << "messages never notify";
}

TEST_F(ListBox, SortedListsPlaceNewItemsIgnoringCase) {
  HWND sorted = create(LBS_SORT, 100);
  for (const char *name : {"pear", "Apple", "banana", "apricot"}) SendMessageA(sorted, LB_ADDSTRING, 0, LPARAM(name));
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    char buffer[16];
    SendMessageA(sorted, LB_GETTEXT, WPARAM(i), LPARAM(buffer));
    order.push_back(buffer);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Apple", "apricot", "banana", "pear"}));
}

// The box shows whole items only: six rows and a half leave a client area of six rows.
TEST_F(ListBox, ShrinksToWholeItemsUnlessToldNot) {
  RECT client, window;
  GetClientRect(list, &client);
  GetWindowRect(list, &window);
  EXPECT_EQ(client.bottom, 6 * row);
  EXPECT_EQ(window.bottom - window.top, 6 * row + 2);
  HWND loose = create(LBS_NOINTEGRALHEIGHT | WS_BORDER, boxHeight());
  GetWindowRect(loose, &window);
  EXPECT_EQ(window.bottom - window.top, boxHeight());
}

TEST_F(ListBox, TopIndexKeepsTheLastPageFullAndDrivesTheScrollBar) {
  addNumbered(20);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 19);
  EXPECT_EQ(si.nPage, 6u);
  struct Case {
    int requested, top;
  } cases[] = {{3, 3}, {18, 14}, {20, 14}, {0, 0}};
  for (const Case &c : cases) {
    EXPECT_EQ(send(LB_SETTOPINDEX, WPARAM(c.requested)), LB_OKAY);
    EXPECT_EQ(send(LB_GETTOPINDEX), c.top) << c.requested;
    EXPECT_EQ(GetScrollPos(list, SB_VERT), c.top) << c.requested;
  }
  send(LB_SETTOPINDEX, 3);
  send(LB_SETCURSEL, 15);
  EXPECT_EQ(send(LB_GETTOPINDEX), 10) << "a selection below comes in at the bottom";
  send(LB_SETCURSEL, 1);
  EXPECT_EQ(send(LB_GETTOPINDEX), 1) << "a selection above comes in at the top";
}

TEST_F(ListBox, ScrollBarHidesWhenEverythingFits) {
  EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) << "an empty list shows no bar";
  addNumbered(6);
  EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  add("seventh");
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(client.right, 150 - 2 - GetSystemMetrics(SM_CXVSCROLL));
}

// A notch of the wheel scrolls three items, Windows' default. Microsoft's documentation of WM_MOUSEWHEEL
// makes WHEEL_DELTA the threshold for action, so half a notch waits for the other half; Wine scrolls one
// of the three items at once.
TEST_F(ListBox, ScrollCodesAndTheWheelMoveTheTopIndex) {
  addNumbered(20);
  const int afterHalfANotch = runningUnderWine() ? 4 : 3;
  struct Case {
    UINT message;
    WPARAM wParam;
    int top;
  } cases[] = {
      {WM_VSCROLL, SB_LINEDOWN, 1},
      {WM_VSCROLL, SB_PAGEDOWN, 7},
      {WM_VSCROLL, SB_LINEUP, 6},
      {WM_VSCROLL, SB_BOTTOM, 14},
      {WM_VSCROLL, SB_PAGEUP, 8},
      {WM_VSCROLL, SB_TOP, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-WHEEL_DELTA))), 3},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-WHEEL_DELTA / 2))), afterHalfANotch},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-WHEEL_DELTA / 2))), 6},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(2 * WHEEL_DELTA))), 0},
  };
  for (const Case &c : cases) {
    send(c.message, c.wParam);
    EXPECT_EQ(send(LB_GETTOPINDEX), c.top) << c.message << " " << LOWORD(c.wParam) << " " << short(HIWORD(c.wParam));
  }
  EXPECT_EQ(selection(), LB_ERR) << "scrolling leaves the selection";
}

// Each navigation key selects and notifies, even when the selection cannot move; with nothing selected
// the first key selects the item with the focus rectangle. Left and Right move as Up and Down in a list of
// one column, as they do in Wine's list box and in the drop-down list of a combo box.
TEST_F(ListBox, NavigationKeysSelectAndNotify) {
  addNumbered(20);
  SetFocus(list);
  struct Case {
    int start;  // -2: leave as it is
    int key;
    int selected, top;
  } cases[] = {
      {-1, VK_DOWN, 0, 0},  {1, VK_DOWN, 2, 0},   {0, VK_UP, 0, 0},      {3, VK_HOME, 0, 0},
      {0, VK_NEXT, 5, 0},   {-2, VK_NEXT, 10, 5}, {-2, VK_PRIOR, 5, 5},  {-2, VK_END, 19, 14},
      {-2, VK_DOWN, 19, 14}, {-1, VK_UP, 19, 14}, {12, VK_LEFT, 11, 11}, {-2, VK_RIGHT, 12, 11},
  };
  for (const Case &c : cases) {
    if (c.start != -2) send(LB_SETCURSEL, WPARAM(c.start));
    notifications();
    send(WM_KEYDOWN, WPARAM(c.key));
    EXPECT_EQ(selection(), c.selected) << "key " << c.key << " from " << c.start;
    EXPECT_EQ(send(LB_GETTOPINDEX), c.top) << "key " << c.key << " from " << c.start;
    EXPECT_EQ(notifications(), std::vector<int>{LBN_SELCHANGE}) << "key " << c.key << " from " << c.start;
  }
}

TEST_F(ListBox, TypedLetterJumpsToTheNextItemStartingWithIt) {
  for (const char *name : {"apple", "Banana", "avocado", "cherry", "berry"}) add(name);
  send(LB_SETCURSEL, 0);
  struct Case {
    char typed;
    int selected;
    bool notified;
  } cases[] = {{'b', 1, true}, {'b', 4, true}, {'a', 0, true}, {'A', 2, true}, {'x', 2, false}, {'C', 3, true}};
  for (const Case &c : cases) {
    notifications();
    send(WM_CHAR, WPARAM(c.typed));
    EXPECT_EQ(selection(), c.selected) << c.typed;
    EXPECT_EQ(notifications().size(), c.notified ? 1u : 0u) << c.typed;
  }
}

TEST_F(ListBox, ClicksSelectAndDoubleClicksNotify) {
  for (const char *name : {"a", "b", "c"}) add(name);
  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, row + 4));
  send(WM_LBUTTONUP, 0, MAKELPARAM(5, row + 4));
  EXPECT_EQ(selection(), 1);
  EXPECT_EQ(GetFocus(), list) << "a click takes the focus";
  EXPECT_EQ(notifications(), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE})) << "the focus first";
  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, row + 4));
  send(WM_LBUTTONUP, 0, MAKELPARAM(5, row + 4));
  EXPECT_EQ(notifications(), std::vector<int>{LBN_SELCHANGE}) << "the same item again";
  send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, row + 4));
  send(WM_LBUTTONUP, 0, MAKELPARAM(5, row + 4));
  EXPECT_EQ(notifications(), std::vector<int>{LBN_DBLCLK});
  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5 * row));
  send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5 * row));
  EXPECT_EQ(selection(), 1) << "below the last item";
  EXPECT_TRUE(notifications().empty());
}

TEST_F(ListBox, DraggingMovesTheSelectionAndScrolls) {
  addNumbered(20);
  send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
  EXPECT_EQ(GetCapture(), list);
  send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 3 * row + 1));
  EXPECT_EQ(selection(), 3);
  send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 200));
  EXPECT_EQ(selection(), 6);
  EXPECT_EQ(send(LB_GETTOPINDEX), 1);
  send(WM_LBUTTONUP, 0, MAKELPARAM(5, 200));
  EXPECT_EQ(GetCapture(), nullptr);
  // The focus first, then news of the selection: how often a drag tells is documented nowhere (the
  // stand-in tells of each item the selection passes, Wine once).
  std::vector<int> heard = notifications();
  ASSERT_GE(heard.size(), 2u);
  EXPECT_EQ(heard.front(), LBN_SETFOCUS);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), LBN_SELCHANGE), std::ptrdiff_t(heard.size() - 1));
  send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 2));
  EXPECT_EQ(selection(), 6) << "without the button the pointer changes nothing";
}

// LBS_NOTIFY is for the selection and double clicks; the focus is news whatever the style.
TEST_F(ListBox, WithoutLbsNotifyTheParentHearsOnlyOfTheFocus) {
  HWND quiet = create(WS_VSCROLL, 100);
  for (const char *name : {"a", "b"}) SendMessageA(quiet, LB_ADDSTRING, 0, LPARAM(name));
  SetFocus(quiet);
  SendMessageA(quiet, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(quiet, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(quiet, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetFocus(parent);
  EXPECT_EQ(SendMessageA(quiet, LB_GETCURSEL, 0, 0), 0);
  std::vector<int> heard;
  for (const LoggedMessage &m : log.messages)
    if (m.message == WM_COMMAND && HWND(m.lParam) == quiet) heard.push_back(HIWORD(m.wParam));
  EXPECT_EQ(heard, (std::vector<int>{LBN_SETFOCUS, LBN_KILLFOCUS}));
}

// A double click made with the real mouse reaches the list as WM_LBUTTONDBLCLK (the class has CS_DBLCLKS).
TEST_F(ListBox, RealDoubleClickNotifies) {
  for (const char *name : {"a", "b"}) add(name);
  dialog_test::pumpMessages();
  POINT at{20, 10 + 1 + row + 4};  // the list's client area starts inside its border
  ClientToScreen(parent, &at);
  for (int click = 0; click < 2; ++click)
    for (auto action : {screen::Pointer::Press, screen::Pointer::Release}) screen::pointer(action, at);
  dialog_test::pumpMessages();
  EXPECT_EQ(selection(), 1);
  EXPECT_EQ(notifications(), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
}

TEST_F(ListBox, LooksLikeAWindowWithTheSelectionInTheSelectionColours) {
  for (const char *name : {"alpha", "beta", "gamma"}) add(name);
  send(LB_SETCURSEL, 1);
  SetFocus(list);
  dialog_test::pumpMessages();
  RECT client;
  GetClientRect(list, &client);
  RECT first{0, 0, client.right, row}, second{0, row, client.right, 2 * row},
      empty{0, 3 * row, client.right, client.bottom};
  const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_GT(dialog_test::countPixels(list, first, window), 0);
  EXPECT_GT(dialog_test::countPixels(list, first, GetSysColor(COLOR_WINDOWTEXT)), 0) << "the text";
  EXPECT_GT(dialog_test::countPixels(list, second, highlight), client.right * row / 2) << "the selection";
  EXPECT_GT(dialog_test::countPixels(list, second, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0) << "its text";
  EXPECT_EQ(dialog_test::countPixelsNot(list, empty, window), 0);
  // The sunken border of the dialog look is drawn around the client area.
  HWND sunken = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE, 200, 10, 100, 100, parent,
                                nullptr, nullptr, nullptr);
  dialog_test::pumpMessages();
  EXPECT_EQ(dialog_test::clientPixel(sunken, -2, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(dialog_test::clientPixel(sunken, -1, 10), GetSysColor(COLOR_3DDKSHADOW));
}

}  // namespace
