// The hex view's rows and the cursor cell, checked in the pixels a user sees.
#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using View = ProgramTest;

const COLORREF BLACK = RGB(0, 0, 0), WHITE = RGB(255, 255, 255), RED = RGB(255, 0, 0),
               CYAN = RGB(0, 255, 255), GREY = RGB(192, 192, 192);

std::string bytes(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += char(i);
  return s;
}

TEST_F(View, AOneByteFileShowsOffsetBarsDigitsAndCharacter) {
  ASSERT_TRUE(start(quotedPath(writeFile("one.bin", "A"))));
  tick();  // the cursor's off phase: the cell looks like any painted byte
  EXPECT_TRUE(cellsShow(0, 0, "000000 |"));
  EXPECT_TRUE(cellsShow(57, 0, "|"));
  EXPECT_TRUE(cellsShow(9, 0, "41"));
  EXPECT_FALSE(cell(11, 0).ink);
  EXPECT_FALSE(cell(12, 0).ink);
  EXPECT_FALSE(cell(60, 0).ink);
  EXPECT_FALSE(cell(0, 1).ink);
  EXPECT_TRUE(cellsShow(59, 0, "A", BLACK, GREY));  // the cursor's twin in the other pane stays grey
}

TEST_F(View, AShortLastRowScrolledToTheEnd) {
  ASSERT_TRUE(start(quotedPath(writeFile("389.bin", std::string(389, 'z')))));
  key(VK_END, true);
  EXPECT_EQ(scroll().nPos, 1);
  EXPECT_TRUE(cellsShow(0, 0, "000010 |"));
  EXPECT_TRUE(cellsShow(0, 23, "000180 |"));
  for (int c = 23; c <= 56; ++c) EXPECT_FALSE(cell(c, 23).ink) << c;
  for (int c = 64; c <= 74; ++c) EXPECT_FALSE(cell(c, 23).ink) << c;
  EXPECT_EQ(statusText(0), "当前位置: 388 / 000184");
}

TEST_F(View, CharactersOutsidePrintableAsciiShowADot) {
  std::string data = bytes(256);
  ASSERT_TRUE(start(quotedPath(writeFile("all.bin", data))));
  for (int b : {0x00, 0x1F, 0x20, 0x41, 0x7E, 0x7F, 0xFF}) {
    int row = b / 16, column = b % 16;
    if (row >= 24) continue;
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", b);
    std::string shown(1, b >= 0x20 && b <= 0x7E ? char(b) : '.');
    if (b == 0) continue;  // the cursor stands there
    EXPECT_TRUE(cellsShow(9 + 3 * column, row, digits)) << b;
    EXPECT_TRUE(cellsShow(59 + column, row, shown)) << b;
  }
}

TEST_F(View, ModifiedBytesAreRedInBothPanes) {
  ASSERT_TRUE(start(quotedPath(writeFile("m.bin", "ABCDEFGH"))));
  type("5");
  type("A");  // byte 0 is now 0x5A, the cursor on byte 1
  EXPECT_TRUE(cellsShow(9, 0, "5A", RED));
  EXPECT_TRUE(cellsShow(59, 0, "Z", RED));
  tick();  // the cursor's off phase
  EXPECT_TRUE(cellsShow(15, 0, "43"));
}

TEST_F(View, TheCursorColoursInBothPanesAndPhases) {
  ASSERT_TRUE(start(quotedPath(writeFile("c.bin", "AB"))));
  struct Look {
    COLORREF hexBack, hexText, charBack, charText;
  };
  auto looks = [&](const Look &l) {
    return cellsShow(9, 0, "41", l.hexText, l.hexBack) && cellsShow(59, 0, "A", l.charText, l.charBack);
  };
  EXPECT_TRUE(looks({BLACK, WHITE, GREY, BLACK}));  // hex pane, on
  tick();
  EXPECT_TRUE(looks({WHITE, BLACK, GREY, BLACK}));  // hex pane, off
  type("\t");
  EXPECT_TRUE(looks({GREY, BLACK, WHITE, BLACK}));  // character pane, off (Tab keeps the phase)
  EXPECT_EQ(statusText(1), "  ASCII");
  tick();
  EXPECT_TRUE(looks({GREY, BLACK, BLACK, WHITE}));  // character pane, on
  type("A");  // the same byte, now modified; the cursor moves on
  key(VK_LEFT);
  EXPECT_TRUE(looks({GREY, RED, BLACK, CYAN}));  // keys draw the on look
  tick();
  EXPECT_TRUE(looks({GREY, RED, WHITE, RED}));
  type("\t");
  EXPECT_TRUE(looks({WHITE, RED, GREY, RED}));
  tick();
  EXPECT_TRUE(looks({BLACK, CYAN, GREY, RED}));
}

TEST_F(View, MovingTheCursorRestoresTheOldPair) {
  ASSERT_TRUE(start(quotedPath(writeFile("r.bin", "ABCD"))));
  key(VK_RIGHT);
  EXPECT_TRUE(cellsShow(9, 0, "41"));
  EXPECT_TRUE(cellsShow(59, 0, "A"));
  EXPECT_TRUE(cellsShow(12, 0, "42", WHITE, BLACK));
}

TEST_F(View, StatusShowsThePositionInDecimalAndHexadecimal) {
  ASSERT_TRUE(start(quotedPath(writeFile("p.bin", std::string(1000, 'p')))));
  answerWithText(1005, "300");
  command(IDM_GOTO);
  EXPECT_EQ(statusText(0), "当前位置: 300 / 00012C");
}

TEST_F(View, ABlinkWithoutADocumentDrawsNothing) {
  ASSERT_TRUE(start());
  tick(3);
  EXPECT_EQ(statusText(0), "Oxbyte,免费的十六进制编辑器");
}

TEST_F(View, ThePullBackAfterAPageScroll) {
  ASSERT_TRUE(start(quotedPath(writeFile("389.bin", std::string(389, 'z')))));
  for (int i = 0; i < 23; ++i) key(VK_DOWN);
  for (int i = 0; i < 10; ++i) key(VK_RIGHT);
  EXPECT_EQ(statusText(0), "当前位置: 378 / 00017A");
  key(VK_NEXT);
  EXPECT_EQ(scroll().nPos, 1);
  EXPECT_EQ(statusText(0), "当前位置: 388 / 000184");
}

}  // namespace
