// Creating, moving and finding windows: the messages Windows sends and the rectangles it keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/message_log.h"
#include "support/wine.h"

namespace {

TEST(CreateWindow, AVisibleChildHearsItsSizeAndPlaceAtOnce) {
  MessageLog log;
  HWND parent = log.createTopLevel();
  log.clear();
  HWND child = log.createChild(parent, WS_VISIBLE | WS_VSCROLL, 0, 30, 300, 100, 7);
  EXPECT_EQ(log.of(child, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}),
            (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
  EXPECT_EQ(log.of(parent, {WM_PARENTNOTIFY}).size(), 1u);
  RECT client;
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 300 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(client.bottom, 100);
}

TEST(CreateWindow, ATopLevelWindowHearsItsSizeWhenFirstShown) {
  MessageLog log;
  HWND w = log.createTopLevel();
  EXPECT_TRUE(log.of(w, {WM_SIZE, WM_MOVE}).empty());
  ShowWindow(w, SW_SHOWDEFAULT);
  EXPECT_EQ(log.of(w, {WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_SIZE, WM_MOVE}));
  log.clear();
  ShowWindow(w, SW_HIDE);
  ShowWindow(w, SW_SHOW);
  EXPECT_TRUE(log.of(w, {WM_SIZE}).empty());
}

// Each overlapped window asking for the default place opens a step down and right of the last one, and at
// the screen's corner again once the next step would pass a quarter of the screen. Wine opens every one at
// the corner (as probed), so there the step is nothing. A pop-up asking for the default gets nothing.
TEST(CreateWindow, OverlappedWindowsAtTheDefaultPlaceCascade) {
  MessageLog log;
  auto place = [](DWORD style) {
    HWND w = CreateWindowExA(0, "LoggedWindow", "", style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr,
                             nullptr, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    DestroyWindow(w);
    return r;
  };
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const POINT step = runningUnderWine() ? POINT{0, 0}
                                        : POINT{GetSystemMetrics(SM_CXSIZE) + GetSystemMetrics(SM_CXFRAME),
                                                GetSystemMetrics(SM_CYSIZE) + GetSystemMetrics(SM_CYFRAME)};
  RECT last = place(WS_OVERLAPPEDWINDOW);
  int corners = 0;
  for (int i = 0; i < 20; ++i) {
    RECT next = place(WS_OVERLAPPEDWINDOW);
    if (step.x && next.left == 0 && next.top == 0) {
      ++corners;
      EXPECT_TRUE(last.left + step.x > width / 4 || last.top + step.y > height / 4) << last.left << "," << last.top;
    } else {
      EXPECT_EQ(next.left, last.left + step.x);
      EXPECT_EQ(next.top, last.top + step.y);
    }
    last = next;
  }
  EXPECT_TRUE(!step.x || corners > 0);
  RECT popup = place(WS_POPUP);
  EXPECT_EQ(popup.left | popup.top | popup.right | popup.bottom, 0);
}

TEST(MoveWindow, SendsMoveThenSizeOnlyForWhatChanged) {
  MessageLog log;
  HWND w = log.createTopLevel();
  MoveWindow(w, 10, 10, 300, 200, TRUE);  // where it already is
  EXPECT_TRUE(log.of(w, {WM_SIZE, WM_MOVE}).empty());
  MoveWindow(w, 20, 20, 320, 200, TRUE);
  EXPECT_EQ(log.of(w, {WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_MOVE, WM_SIZE}));
  log.clear();
  MoveWindow(w, 20, 20, 330, 200, TRUE);
  EXPECT_EQ(log.of(w, {WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_SIZE}));
  // WM_SIZE carries the client area's size: the window's less its frame, which Windows draws.
  const LoggedMessage &size = log.messages.back();
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(LOWORD(size.lParam), client.right);
  EXPECT_EQ(HIWORD(size.lParam), client.bottom);
  RECT frame;
  GetWindowRect(w, &frame);
  EXPECT_EQ(frame.right - frame.left, 330);
  EXPECT_EQ(size.wParam, WPARAM(SIZE_RESTORED));
}

TEST(MoveWindow, NestsWhenCalledFromTheSizeHandler) {
  MessageLog log;
  HWND w = log.createTopLevel();
  int depth = 0, deepest = 0;
  log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam, LRESULT &) {
    if (message != WM_SIZE) return false;
    deepest = std::max(deepest, ++depth);
    if (LOWORD(lParam) != 400) MoveWindow(hwnd, 10, 10, 400, 300, TRUE);
    --depth;
    return false;
  };
  MoveWindow(w, 10, 10, 500, 300, TRUE);
  EXPECT_EQ(deepest, 2);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 400);
}

TEST(ChildWindowFromPoint, ChildParentOrNothing) {
  MessageLog log;
  // Tall enough that the hidden child lies inside the client area below any caption and frame.
  HWND parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300);
  HWND shown = log.createChild(parent, WS_VISIBLE, 0, 0, 100, 20);
  HWND hidden = log.createChild(parent, 0, 0, 180, 100, 20);
  RECT client;
  GetClientRect(parent, &client);
  struct Case {
    POINT pt;
    HWND expected;
  } cases[] = {
      {{0, 0}, shown},         {{99, 19}, shown},    {{100, 0}, parent},
      {{0, 180}, hidden},      {{150, 100}, parent}, {{-1, 0}, nullptr},
      {{client.right, 0}, nullptr}, {{0, client.bottom}, nullptr},
  };
  for (const Case &c : cases) EXPECT_EQ(ChildWindowFromPoint(parent, c.pt), c.expected) << c.pt.x << "," << c.pt.y;
}

TEST(DestroyWindow, ParentFirstForDestroyChildrenFirstForNcDestroy) {
  MessageLog log;
  HWND parent = log.createTopLevel();
  HWND child = log.createChild(parent, WS_VISIBLE, 0, 0, 10, 10);
  log.clear();
  DestroyWindow(parent);
  std::vector<std::pair<HWND, UINT>> order;
  for (const LoggedMessage &m : log.messages)
    if (m.message == WM_DESTROY || m.message == WM_NCDESTROY) order.push_back({m.hwnd, m.message});
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{
                       {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(child));
}

}  // namespace
