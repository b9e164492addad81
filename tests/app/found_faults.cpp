// Faults that fuzzing the running program found, each pinned by the smallest sequence that showed it.
#include <string>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using FoundFaults = ProgramTest;

// The scroll bar's Top and Bottom (its context menu on Windows) move the cursor to the first or last
// byte. In a document that fits the view the rows cannot move, and the cursor used to keep its old cell
// and status text while the editor already held the new place: typing then changed a byte the user did
// not see under the cursor.
TEST_F(FoundFaults, ScrollBarBottomAndTopMoveTheCursorWhenTheRowsCannotMove) {
  ASSERT_TRUE(start(quotedPath(writeFile("40.bin", std::string(40, 'b')))));
  struct Step {
    WORD code;
    const char *status;
    int cellX, row;  // the cursor's twin in the character pane, drawn grey
    int oldX, oldRow;  // where it was, drawn normal again
  } steps[] = {
      {SB_BOTTOM, "当前位置: 39 / 000027", 59 + 7, 2, 59, 0},
      {SB_TOP, "当前位置: 0 / 000000", 59, 0, 59 + 7, 2},
  };
  for (const Step &s : steps) {
    PostMessageA(view(), WM_VSCROLL, MAKEWPARAM(s.code, 0), 0);
    pump();
    EXPECT_EQ(statusText(0), s.status) << s.code;
    EXPECT_EQ(cell(s.cellX, s.row).background, RGB(192, 192, 192)) << s.code;
    EXPECT_EQ(cell(s.oldX, s.oldRow).background, RGB(255, 255, 255)) << s.code;
  }
  type("4");  // the high half of the byte under the cursor, which is the first byte again
  EXPECT_EQ(statusText(1), " HEX-LO");
  type("1");
  command(IDM_SAVE);
  EXPECT_EQ(readFile(path("40.bin")), "A" + std::string(39, 'b'));
}

}  // namespace
