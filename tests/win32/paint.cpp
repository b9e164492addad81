// Update regions, erasing, device contexts and what lands in the pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "support/message_log.h"

namespace {

COLORREF pixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

TEST(Paint, InvalidateWithEraseSendsEraseBackgroundFromBeginPaint) {
  MessageLog log;
  HWND w = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::pump();
  log.clear();
  InvalidateRect(w, nullptr, TRUE);
  MessageLog::pump();
  EXPECT_EQ(log.of(w, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  log.clear();
  InvalidateRect(w, nullptr, FALSE);
  MessageLog::pump();
  EXPECT_EQ(log.of(w, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT}));
  RECT update;
  EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
}

TEST(Paint, TheClassBrushErasesAndBeginPaintClipsToTheUpdateRegion) {
  MessageLog log;
  HWND w = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::pump();
  EXPECT_EQ(pixel(w, 5, 5), RGB(255, 255, 255));
  log.handler = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT &result) {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT all{0, 0, 300, 200};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(hwnd, &ps);
    result = 0;
    return true;
  };
  RECT part{10, 10, 20, 20};
  InvalidateRect(w, &part, FALSE);
  MessageLog::pump();
  EXPECT_EQ(pixel(w, 15, 15), RGB(0, 0, 0));
  EXPECT_EQ(pixel(w, 25, 25), RGB(255, 255, 255));  // outside the update region nothing was drawn
}

TEST(Paint, TextOutDrawsGlyphCellsWithAnOpaqueBackground) {
  MessageLog log;
  HWND w = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::pump();
  HDC dc = GetDC(w);
  SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  // The cell is what the font says it is; the glyph's shape (and whether its edges are smoothed) is the
  // font's own business.
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SIZE cell;
  GetTextExtentPoint32A(dc, "H", 1, &cell);
  EXPECT_EQ(cell.cx, tm.tmAveCharWidth);  // a fixed-pitch font
  EXPECT_EQ(cell.cy, tm.tmHeight);
  ASSERT_GT(cell.cx, 2);
  ASSERT_GT(cell.cy, 2);
  SetTextColor(dc, RGB(255, 0, 0));
  SetBkColor(dc, RGB(0, 0, 255));
  TextOutA(dc, 16, 32, "H", 1);
  ReleaseDC(w, dc);
  int ink = 0, background = 0;
  for (int y = 32; y < 32 + cell.cy; ++y)
    for (int x = 16; x < 16 + cell.cx; ++x) {
      COLORREF c = pixel(w, x, y);
      ink += c == RGB(255, 0, 0);
      background += c == RGB(0, 0, 255);
      // Opaque: every pixel of the cell is ink, background, or an edge that mixes the two.
      // (Smoothed edges are mixed with gamma, so only the colours taking part are checked: red and blue.)
      EXPECT_TRUE(GetGValue(c) == 0 && GetRValue(c) + GetBValue(c) >= 250) << x << "," << y << " is " << std::hex << c;
    }
  EXPECT_GT(ink, 0);  // the glyph's strokes, in the text colour
  EXPECT_GT(background, cell.cx * cell.cy / 2);  // most of the cell around them
  EXPECT_EQ(pixel(w, 16 + cell.cx, 32 + cell.cy / 2), RGB(255, 255, 255));  // the next cell is untouched
  EXPECT_EQ(pixel(w, 16, 32 + cell.cy), RGB(255, 255, 255));
}

TEST(Paint, AParentThatClipsChildrenNeverPaintsOverThem) {
  MessageLog log;
  HWND parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
  HWND child = log.createChild(parent, WS_VISIBLE, 10, 10, 50, 50);
  MessageLog::pump();
  HDC dc = GetDC(parent);
  RECT all{0, 0, 300, 200};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(parent, dc);
  EXPECT_EQ(pixel(parent, 5, 5), RGB(0, 0, 0));
  EXPECT_EQ(pixel(child, 5, 5), RGB(255, 255, 255));
}

TEST(Paint, ChildrenAreInvalidatedWithAParentThatDoesNotClipThem) {
  MessageLog log;
  HWND parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = log.createChild(parent, WS_VISIBLE, 10, 10, 50, 50);
  MessageLog::pump();
  log.clear();
  RECT area{0, 0, 20, 20};
  InvalidateRect(parent, &area, TRUE);
  MessageLog::pump();
  EXPECT_EQ(log.of(child, {WM_PAINT}).size(), 1u);
  log.clear();
  RECT away{100, 100, 120, 120};
  InvalidateRect(parent, &away, TRUE);
  MessageLog::pump();
  EXPECT_TRUE(log.of(child, {WM_PAINT}).empty());
}

// UpdateWindow paints before it returns: the window and every visible window under it that has
// something to paint, parent first and each child's own children before its next sibling.
TEST(Paint, UpdateWindowPaintsTheWindowAndItsChildrenAtOnce) {
  MessageLog log;
  HWND top = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND first = log.createChild(top, WS_VISIBLE, 10, 10, 100, 100);
  HWND inner = log.createChild(first, WS_VISIBLE, 10, 10, 50, 50);
  HWND second = log.createChild(top, WS_VISIBLE, 150, 10, 100, 100);
  struct Case {
    const char *name;
    std::vector<HWND> invalid;
    HWND hidden, updated;
    std::vector<HWND> painted;
  } cases[] = {
      {"everything", {top}, nullptr, top, {top, first, inner, second}},
      {"two descendants only", {second, inner}, nullptr, top, {inner, second}},
      {"only what lies under the window", {second, inner}, nullptr, first, {inner}},
      {"nothing hidden", {inner}, first, top, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.hidden) ShowWindow(c.hidden, SW_HIDE);
    MessageLog::pump();
    log.clear();
    for (HWND hwnd : c.invalid) InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(c.updated);
    std::vector<HWND> painted;
    for (const LoggedMessage &m : log.messages)
      if (m.message == WM_PAINT) painted.push_back(m.hwnd);
    EXPECT_EQ(painted, c.painted);
    if (c.hidden) ShowWindow(c.hidden, SW_SHOW);
  }
}

TEST(Paint, RectangleHasAPenOutlineAndABrushInside) {
  MessageLog log;
  HWND w = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MessageLog::pump();
  HDC dc = GetDC(w);
  SelectObject(dc, GetStockObject(GRAY_BRUSH));
  Rectangle(dc, 0, 0, 40, 30);
  ReleaseDC(w, dc);
  EXPECT_EQ(pixel(w, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(pixel(w, 39, 29), RGB(0, 0, 0));
  EXPECT_EQ(pixel(w, 20, 15), RGB(128, 128, 128));
  EXPECT_EQ(pixel(w, 40, 15), RGB(255, 255, 255));  // the right edge is excluded
}

}  // namespace
