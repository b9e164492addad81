// The edit control's text rules: whole UTF-8 characters, words, limits, letter case and typed bytes.
#include "user32/edit_text.h"

#include <gtest/gtest.h>

namespace {

using namespace win32::edit;

// "a", "é" (2 bytes), "中" (3 bytes), "😀" (4 bytes), a stray continuation byte, "b".
const std::string kMixed =
    "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\x80"
    "b";

TEST(EditText, StepsOverWholeCharacters) {
  const size_t boundaries[] = {0, 1, 3, 6, 10, 11, 12};
  for (size_t i = 0; i + 1 < std::size(boundaries); ++i) {
    EXPECT_EQ(nextBoundary(kMixed, boundaries[i]), boundaries[i + 1]) << boundaries[i];
    EXPECT_EQ(previousBoundary(kMixed, boundaries[i + 1]), boundaries[i]) << boundaries[i + 1];
  }
  EXPECT_EQ(nextBoundary(kMixed, 12), 12u);
  EXPECT_EQ(previousBoundary(kMixed, 0), 0u);
}

TEST(EditText, SnapsPositionsInsideACharacterToItsStart) {
  struct Case {
    size_t pos, snapped;
  } cases[] = {{0, 0}, {2, 1}, {4, 3}, {5, 3}, {7, 6}, {9, 6}, {10, 10}, {11, 11}, {12, 12}, {99, 12}};
  for (const Case &c : cases) EXPECT_EQ(snapToBoundary(kMixed, c.pos), c.snapped) << c.pos;
}

TEST(EditText, TruncatedSequencesAreSingleBytes) {
  const std::string cut = "x\xE4\xB8";  // a three-byte character missing its last byte
  EXPECT_EQ(nextBoundary(cut, 1), 2u);
  EXPECT_EQ(nextBoundary(cut, 2), 3u);
  EXPECT_EQ(previousBoundary(cut, 3), 2u);
  EXPECT_EQ(previousBoundary(cut, 2), 1u);
}

TEST(EditText, MovesByWords) {
  const std::string text = "one  two\xE4\xB8\xAD three";
  struct Case {
    size_t from, before, after;
  } cases[] = {{0, 0, 5}, {2, 0, 5}, {5, 0, 12}, {7, 5, 12}, {12, 5, 17}, {17, 12, 17}};
  for (const Case &c : cases) {
    EXPECT_EQ(wordStartBefore(text, c.from), c.before) << c.from;
    EXPECT_EQ(wordStartAfter(text, c.from), c.after) << c.from;
  }
  size_t begin, end;
  wordAround(text, 6, begin, end);
  EXPECT_EQ(text.substr(begin, end - begin), "two\xE4\xB8\xAD");
  wordAround(text, 4, begin, end);
  EXPECT_EQ(text.substr(begin, end - begin), "  ");
  wordAround(text, text.size(), begin, end);
  EXPECT_EQ(text.substr(begin, end - begin), "three");
}

TEST(EditText, FitsOnlyWholeCharacters) {
  const std::string insert =
      "ab\xE4\xB8\xAD"
      "c";  // widths 8, 8, 16, 8
  struct Case {
    size_t room, bytes;
  } byBytes[] = {{0, 0}, {2, 2}, {3, 2}, {4, 2}, {5, 5}, {6, 6}, {100, 6}};
  for (const Case &c : byBytes) EXPECT_EQ(prefixWithinBytes(insert, c.room), c.bytes) << c.room;
  struct WidthCase {
    int room;
    size_t bytes;
  } byWidth[] = {{-5, 0}, {7, 0}, {8, 1}, {16, 2}, {31, 2}, {32, 5}, {40, 6}};
  for (const WidthCase &c : byWidth) EXPECT_EQ(prefixWithinWidth(insert, c.room), c.bytes) << c.room;
}

TEST(EditText, ConvertsLetterCaseAndTakesTheFirstLine) {
  std::string upper = "ffh \xC3\xA9z", lower = "FFH Z", same = "MiXed";
  applyCase(upper, ES_UPPERCASE);
  applyCase(lower, ES_LOWERCASE);
  applyCase(same, 0);
  EXPECT_EQ(upper, "FFH \xC3\x89Z");
  EXPECT_EQ(lower, "ffh z");
  EXPECT_EQ(same, "MiXed");
  EXPECT_EQ(firstLine("one\r\ntwo"), "one");
  EXPECT_EQ(firstLine("one\ntwo"), "one");
  EXPECT_EQ(firstLine("single"), "single");
}

TEST(EditText, AssemblesTypedBytesIntoCharacters) {
  struct Case {
    std::string bytes;
    std::vector<std::string> characters;
  } cases[] = {
      {"ab", {"a", "b"}},
      {"\xE4\xB8\xAD", {"\xE4\xB8\xAD"}},
      {"\xC3\xA9x", {"\xC3\xA9", "x"}},
      {"\x80x", {"x"}},      // a continuation without a lead is dropped
      {"\xE4\xB8y", {"y"}},  // an unfinished character gives way to the next one
      {"\xFF\xF0\x9F\x98\x80", {"\xF0\x9F\x98\x80"}},
  };
  for (const Case &c : cases) {
    CharacterAssembler typing;
    std::vector<std::string> got;
    for (char byte : c.bytes) {
      std::string character;
      if (typing.add(static_cast<unsigned char>(byte), character)) got.push_back(character);
    }
    EXPECT_EQ(got, c.characters);
  }
}

}  // namespace
