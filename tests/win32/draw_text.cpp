// DrawTextA: where the access-key underline goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "support/message_log.h"

namespace {

// The same text drawn with and without its '&': the pixels that differ are the underline. Windows puts
// it one row below the row under the baseline, so at least one blank row parts it from the letter.
TEST(DrawText, AccessKeyUnderlineLeavesABlankRowUnderTheLetter) {
  MessageLog log;
  HWND w = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300);
  MessageLog::pump();
  HDC dc = GetDC(w);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  const int line = int(tm.tmHeight);
  struct Case {
    const char *prefixed, *plain;
    UINT format;
    int height;
  } cases[] = {
      {"(&F)", "(F)", DT_LEFT, line},
      {"(&U)", "(U)", DT_SINGLELINE | DT_VCENTER, line + 4},  // a menu item's row
      {"文件(&F)", "文件(F)", DT_SINGLELINE | DT_BOTTOM, line},
      {"撤销(&U)", "撤销(U)", DT_SINGLELINE | DT_VCENTER, line},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.prefixed);
    RECT all{0, 0, 400, 300}, plain{10, 10, 110, 10 + c.height}, prefixed{10, 50, 110, 50 + c.height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextA(dc, c.plain, -1, &plain, c.format);
    DrawTextA(dc, c.prefixed, -1, &prefixed, c.format);
    int row = -1, left = 100, right = -1;  // the underline, relative to its rectangle
    for (int y = 0; y < c.height + 8; ++y)
      for (int x = 0; x < 100; ++x)
        if (GetPixel(dc, 10 + x, 10 + y) != GetPixel(dc, 10 + x, 50 + y)) {
          EXPECT_TRUE(row < 0 || row == y) << "one row, found " << row << " and " << y;
          row = y, left = std::min(left, x), right = std::max(right, x);
        }
    ASSERT_GE(row, 0) << "no underline";
    EXPECT_LT(row, c.height) << "outside the text's rectangle";
    int letterBottom = -1;
    for (int y = 0; y < row; ++y)
      for (int x = left; x <= right; ++x)
        if (GetPixel(dc, 10 + x, 10 + y) != RGB(255, 255, 255)) letterBottom = y;
    ASSERT_GE(letterBottom, 0) << "no letter above the underline";
    EXPECT_GE(row - letterBottom, 2) << "the letter ends on row " << letterBottom << ", the line is on row " << row;
  }
  ReleaseDC(w, dc);
}

}  // namespace
