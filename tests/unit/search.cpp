// The search routine and the hexadecimal list rule.
#include "document/search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The plain scan, step by step as the program's rules state it: every offset after p where the needle
// lies wholly inside, then the first p bytes from the start.
int32_t plainScan(const std::vector<uint8_t> &data, int32_t size, const std::vector<uint8_t> &needle, int32_t p) {
  int32_t n = int32_t(needle.size());
  for (int32_t i = p + 1; i < size && i + n <= size; ++i) {
    int32_t j = 0;
    while (j < n && data[size_t(i + j)] == needle[size_t(j)]) ++j;
    if (j == n) return i;
  }
  if (p < 0) return -1;
  return plainScan(data, std::min(p, size), needle, -1);
}

std::string bytesAsText(const std::vector<uint8_t> &bytes) { return std::string(bytes.begin(), bytes.end()); }

int32_t find(const std::vector<uint8_t> &data, const std::string &text, bool ascii, int32_t p) {
  findBytes(data.data(), int32_t(data.size()), ascii, text.c_str(), p);
  return p;
}

TEST(FindBytes, MatchesThePlainScanOnRandomAndAdversarialInputs) {
  std::mt19937 random(12345);
  for (int round = 0; round < 4000; ++round) {
    int alphabet = 1 + int(random() % 3);  // few symbols: many near-matches
    std::vector<uint8_t> data(random() % 64);
    for (auto &b : data) b = uint8_t('A' + random() % alphabet);
    std::vector<uint8_t> needle(random() % 6);
    for (auto &b : needle) b = uint8_t('A' + random() % alphabet);
    if (needle.empty() || std::find(needle.begin(), needle.end(), 0) != needle.end()) needle.assign(1, 'A');
    int32_t size = int32_t(data.size());
    int32_t p = size ? int32_t(random() % (size + 1)) - 1 : int32_t(random() % 2) - 1;
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(find(data, bytesAsText(needle), true, p), plainScan(data, size, needle, p));
  }
}

TEST(FindBytes, WorstCaseNeedleAgreesWithThePlainScan) {
  std::vector<uint8_t> data(5000, 'A');
  std::vector<uint8_t> needle(254, 'A');
  needle.back() = 'B';
  data[4000 + 253] = 'B';
  for (int32_t p : {-1, 0, 3999, 4000, 4001, 4999})
    EXPECT_EQ(find(data, bytesAsText(needle), true, p), plainScan(data, 5000, needle, p)) << p;
}

TEST(FindBytes, CasesOfThePlainScan) {
  const std::vector<uint8_t> four(4, 0x41);
  struct Case {
    std::vector<uint8_t> data;
    std::string text;
    bool ascii;
    int32_t from, expected;
  } cases[] = {
      {{1, 2, 3, 'x', 'y'}, "xy", true, 0, 3},         // a needle at the very end is found
      {four, "41 41", false, 0, 1},                    // 41 41 41 41 cycles 1, 2, 0, 1
      {four, "41 41", false, 1, 2},
      {four, "41 41", false, 2, 0},
      {four, "41 41", false, 0, 1},
      {{'a', 'b', 'c'}, "a", true, 0, -1},             // a match at the cursor itself is not reported
      {{'a', 'b', 'c'}, "ab", true, 1, -1},            // nor one that starts before and covers it
      {{'a', 'b', 'c'}, "", true, 0, 1},               // an empty needle moves to the next byte
      {{'a', 'b', 'c'}, "", true, 2, 0},               // and wraps from the last byte
      {{'a'}, "", true, 0, -1},                        // but finds nothing in a one-byte file
      {{}, "", true, 0, -1},                           // nor in an empty one
      {{}, "41", false, 0, -1},
      {{'A', 'B'}, "ab", true, -1, -1},                // the search is case-sensitive
      {{0x1A, 0xB3, 0x1A}, "1A2B3C", false, 0, -1},     // "1A2B3C" is the two bytes 1A B3
      {{0x1A, 0xB3, 0x00}, "1A2B3C", false, 2, 0},
      {{0x41, 0x42}, "ZZ 41 42", false, -1, 0},         // a group with no digit gives no byte
  };
  for (const Case &c : cases) EXPECT_EQ(find(c.data, c.text, c.ascii, c.from), c.expected) << c.text << " from " << c.from;
}

TEST(HexList, GroupsAreReadFromFixedPlaces) {
  struct Case {
    std::string text;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"41 42 43", {0x41, 0x42, 0x43}},
      {"41-42", {0x41, 0x42}},
      {"1A2B3C", {0x1A, 0xB3}},
      {"ff 0a", {0xFF, 0x0A}},
      {"4", {}},                   // shorter than a group
      {"ZZ", {}},                  // no digit where the group starts
      {"41 ZZ 42", {0x41, 0x42}},  // never a repeated or made-up byte
      {"41  42", {0x41, 0x42}},    // white space before a group's digits is skipped
      {"-5 41", {0x41}},           // a sign is not a digit
  };
  for (const Case &c : cases) EXPECT_EQ(readHexList(c.text), c.bytes) << c.text;
}

TEST(HexList, ConversionsBothWays) {
  EXPECT_EQ(toHexList("AB"), "41 42");
  EXPECT_EQ(toHexList(""), "");
  EXPECT_EQ(toHexList("\xE4\xB8\xAD"), "E4 B8 AD");  // every byte of a multi-byte character
  EXPECT_EQ(toHexList(std::string(49, 'x')).size(), 3u * 49 - 1);
  EXPECT_EQ(fromHexList("41 42"), "AB");
  EXPECT_EQ(fromHexList("41 00 42"), "AB");
  EXPECT_EQ(fromHexList("4"), "");
  EXPECT_EQ(fromHexList("ZZ 41"), "A");
  EXPECT_EQ(fromHexList(toHexList("Hello, 世界")), "Hello, 世界");
}

}  // namespace
