// Overwriting bytes by typing, and what reaches the disk.
#include <string>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using Editing = ProgramTest;

TEST_F(Editing, TwoDigitsMakeAByteAndOnlyTheSecondMovesTheCursor) {
  std::string file = writeFile("e.bin", std::string("\x3C\x00\x00", 3));
  ASSERT_TRUE(start(quotedPath(file)));
  type("a");
  EXPECT_EQ(statusText(0), "当前位置: 0 / 000000");
  EXPECT_EQ(statusText(1), " HEX-LO");
  EXPECT_FALSE(menuState(IDM_SAVE) & MF_GRAYED);  // the first digit already changed the byte
  type("7");
  EXPECT_EQ(statusText(0), "当前位置: 1 / 000001");
  EXPECT_EQ(statusText(1), " HEX-HI");
  type("F");
  type("f");
  command(IDM_SAVE);
  EXPECT_EQ(readFile(file), std::string("\xA7\xFF\x00", 3));
}

TEST_F(Editing, CharactersThatAreNotAcceptedChangeNothing) {
  std::string file = writeFile("n.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  for (unsigned char c : std::string("g- \b\r\x1b\x80\xff", 8)) type(std::string(1, char(c)));
  EXPECT_EQ(statusText(0), "当前位置: 0 / 000000");
  EXPECT_EQ(statusText(1), " HEX-HI");
  EXPECT_TRUE(menuState(IDM_SAVE) & MF_GRAYED);
  type("\t");
  for (unsigned char c : std::string("\x1f\x7f\x80\xe4", 4)) type(std::string(1, char(c)));
  EXPECT_EQ(statusText(0), "当前位置: 0 / 000000");
  EXPECT_TRUE(menuState(IDM_SAVE) & MF_GRAYED);
  type(" ~");
  command(IDM_SAVE);
  EXPECT_EQ(readFile(file), " ~CD");
}

TEST_F(Editing, TheLastByteIsOverwrittenAgainAndTheCursorStays) {
  std::string file = writeFile("l.bin", "ABC");
  ASSERT_TRUE(start(quotedPath(file)));
  key(VK_END);
  type("12");
  EXPECT_EQ(statusText(0), "当前位置: 2 / 000002");
  EXPECT_EQ(statusText(1), " HEX-HI");
  type("3");
  type("\t");
  type("xy");
  command(IDM_SAVE);
  EXPECT_EQ(readFile(file), "ABy");
}

TEST_F(Editing, ASecondDigitAtTheBottomRightScrollsByOneRow) {
  std::string file = writeFile("s.bin", std::string(1000, '\0'));
  ASSERT_TRUE(start(quotedPath(file)));
  for (int i = 0; i < 23; ++i) key(VK_DOWN);
  key(VK_END);
  type("99");
  EXPECT_EQ(scroll().nPos, 1);
  EXPECT_EQ(statusText(0), "当前位置: 384 / 000180");
}

TEST_F(Editing, TabAfterOneDigitKeepsTheHighNibble) {
  std::string file = writeFile("t.bin", "\x11\x22");
  ASSERT_TRUE(start(quotedPath(file)));
  type("a");
  type("\t");
  EXPECT_EQ(statusText(1), "  ASCII");
  type("\t");
  EXPECT_EQ(statusText(1), " HEX-HI");
  type("b");  // a high nibble again, of the same byte
  command(IDM_SAVE);
  EXPECT_EQ(readFile(file), "\xB1\x22");
}

TEST_F(Editing, TypingABytesOwnValueStillMarksIt) {
  std::string file = writeFile("same.bin", "A");
  ASSERT_TRUE(start(quotedPath(file)));
  type("41");
  EXPECT_FALSE(menuState(IDM_REVERT) & MF_GRAYED);
  EXPECT_TRUE(cellsShow(9, 0, "41", RGB(0, 255, 255), RGB(0, 0, 0)));
  answerWith(IDNO);
}

}  // namespace
