// Reading the Go-to dialog's text.
#include "dialogs/goto.h"

#include <gtest/gtest.h>

namespace {

TEST(GotoText, AcceptedAndRefusedForms) {
  struct Case {
    const char *text;
    bool accepted;
    int32_t offset;
  } cases[] = {
      {"1FH", true, 31},
      {"0H", true, 0},
      {"FFFFH", true, 65535},
      {"010", true, 10},
      {"0010", true, 10},
      {"15", true, 15},
      {"80000000H", true, INT32_MIN},  // comes out negative: outside every file
      {"FFFFFFFFH", true, -1},
      {"4294967295", true, -1},
      {"H", false, 0},
      {"12A", false, 0},               // no trailing H, so it must be decimal
      {"1F H", false, 0},
      {"1fH", false, 0},               // only capitals (the edit box makes them)
      {"-5", false, 0},
      {"", false, 0},
      {"4294967306", false, 0},        // does not fit in 32 bits: refused, not wrapped to 10
      {"100000000H", false, 0},
      {"\xE4\xB8\xAD", false, 0},
      {"0000000000000000000000000000001", true, 1},
  };
  for (const Case &c : cases) {
    int32_t offset = 0;
    EXPECT_EQ(parseOffset(c.text, offset), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_EQ(offset, c.offset) << c.text;
    }
  }
}

}  // namespace
