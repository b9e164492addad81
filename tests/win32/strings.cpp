// Tests for the lstr* functions.
#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include <string>

namespace {

TEST(Lstrcpyn, CopiesAtMostOneLessThanTheLengthAndAlwaysEnds) {
  struct Case {
    const char *source;
    int length;
    const char *copied;  // nullptr: nothing written at all
  } cases[] = {{"hello", 3, "he"}, {"hello", 1, ""}, {"hello", 0, nullptr},
               {"hi", 8, "hi"},    {"hello", 6, "hello"}, {"hello", -1, "hello"}};
  for (const auto &c : cases) {
    char buffer[10];
    memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(lstrcpynA(buffer, c.source, c.length), buffer);
    std::string expected = c.copied ? std::string(c.copied) + '\0' : "";
    expected.resize(sizeof buffer, 'Z');
    EXPECT_EQ(std::string(buffer, sizeof buffer), expected) << c.length;
  }
}

TEST(Lstr, CopyConcatenateAndLength) {
  char buffer[16];
  EXPECT_EQ(lstrcpyA(buffer, "ab"), buffer);
  EXPECT_EQ(lstrcatA(buffer, "cd"), buffer);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(lstrlenA(buffer), 4);
  EXPECT_EQ(lstrlenA("\xE4\xB8\xAD"), 3);  // bytes, not characters
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
  EXPECT_EQ(lstrcatA(nullptr, "x"), nullptr);
  EXPECT_EQ(lstrcpynA(buffer, nullptr, 4), nullptr);
}

// Orders as Windows' word sort: letters regardless of case (lower case first on a tie), symbols
// before digits before letters, hyphens and apostrophes counting only on a tie.
TEST(Lstrcmp, WordSortOrder) {
  struct Case {
    const char *a, *b;
    int result;
  } cases[] = {{"a", "B", -1},   {"B", "a", 1},       {"a", "A", -1},     {"A", "a", 1},   {"abc", "abd", -1},
               {"ab", "abc", -1}, {"", "a", -1},      {"a", "a", 0},      {"abc", "ABC", -1}, {"aB", "Ab", -1},
               {"_", "a", -1},   {"1", "a", -1},      {"a-b", "ab", 1},   {"co-op", "coop", 1}, {"ab", "a-c", -1}};
  for (const auto &c : cases) EXPECT_EQ(lstrcmpA(c.a, c.b), c.result) << c.a << " vs " << c.b;
  EXPECT_EQ(lstrcmpA(nullptr, nullptr), 0);
  EXPECT_EQ(lstrcmpA(nullptr, ""), -1);
  EXPECT_EQ(lstrcmpA("", nullptr), 1);
}

}  // namespace
