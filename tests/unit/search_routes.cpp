// The search's routes — jumps by the pair under the needle's end, two rare bytes looked for together,
// Two-Way — and the hand-overs between them, against the plain scan on documents large enough for every
// hand-over to happen.
#include "document/byte_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

int32_t plainScan(const Bytes &data, const Bytes &needle, int32_t from, int32_t end) {
  const int32_t n = int32_t(needle.size());
  for (int32_t i = from; i >= 0 && i < end && i + n <= end; ++i)
    if (std::equal(needle.begin(), needle.end(), data.begin() + i)) return i;
  return -1;
}

int32_t find(const Bytes &data, const Bytes &needle, int32_t from, int32_t end) {
  return firstOccurrence(data.data(), from, end, needle.data(), int32_t(needle.size()));
}

Bytes randomBytes(std::mt19937 &random, size_t size, const std::string &alphabet) {
  Bytes bytes(size);
  for (auto &b : bytes) b = uint8_t(alphabet[random() % alphabet.size()]);
  return bytes;
}

// "A"s and "B"s with never three "B"s in a row, and a needle of them that holds "BBB": absent, yet every
// pair of its neighbouring bytes lies everywhere, so every route hands over to the next within the first
// few thousand bytes and Two-Way finishes. Eight letters instead keep the long needle's jumps long. The
// needle is put at every offset of the first 9,000 in turn, so that wherever a route stops and the next
// begins, a match right there is seen.
TEST(FindRoutes, AMatchAtAnyOffsetIsFoundWhereverTheRoutesHandOver) {
  struct Case {
    std::string alphabet;
    size_t needleLength;
  } cases[] = {{"AB", 5}, {"AB", 12}, {"AB", 40}, {"AB", 100}, {"ABCDEFGH", 40}, {"ABCDEFGH", 100}};
  std::mt19937 random(2026);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.alphabet + ", " + std::to_string(c.needleLength) + " bytes");
    Bytes plain = randomBytes(random, 12000, c.alphabet);
    Bytes needle = randomBytes(random, c.needleLength, c.alphabet);
    if (c.alphabet == "AB") {
      for (size_t i = 2; i < plain.size(); ++i)
        if (plain[i] == 'B' && plain[i - 1] == 'B' && plain[i - 2] == 'B') plain[i] = 'A';
      std::fill_n(needle.begin() + long(needle.size() / 2) - 1, 3, 'B');
    }
    const int32_t end = int32_t(plain.size());
    ASSERT_EQ(find(plain, needle, 0, end), -1);
    for (size_t at = 0; at < 9000; ++at) {
      Bytes data = plain;
      std::copy(needle.begin(), needle.end(), data.begin() + long(at));
      ASSERT_EQ(find(data, needle, 0, end), plainScan(data, needle, 0, end)) << "put at " << at;
    }
  }
}

// Documents and needles of few symbols, every length from one byte to longer than the pair table's
// jumps, searched between random bounds.
TEST(FindRoutes, AgreeWithThePlainScanOnLargeDocumentsOfFewSymbols) {
  std::mt19937 random(777);
  const std::string alphabets[] = {"A", "AB", "ABC", "AAAB", std::string("\0\0\0\1", 4)};
  for (int round = 0; round < 600; ++round) {
    const std::string &alphabet = alphabets[random() % 5];
    Bytes data = randomBytes(random, 1 + random() % 40000, alphabet);
    Bytes needle = randomBytes(random, 1 + random() % (round % 2 ? 300 : 20), alphabet);
    int32_t size = int32_t(data.size());
    int32_t from = int32_t(random() % uint32_t(size + 2)) - 1, end = int32_t(random() % uint32_t(size + 1));
    if (round % 3) end = size;
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(find(data, needle, from, end), plainScan(data, needle, from, end));
  }
}

// Needles that repeat a short word, one byte changed or not, in documents of their own bytes: the
// searches that reach Two-Way, and both of its forms (for needles that repeat, and for those that do
// not), with matches before, at and after the hand-over.
TEST(FindRoutes, RepeatingNeedlesAgreeWithThePlainScan) {
  std::mt19937 random(4242);
  const Bytes document = randomBytes(random, 40000, "AB");
  for (int round = 0; round < 3000; ++round) {
    Bytes word = randomBytes(random, 1 + random() % 4, "AB");
    Bytes needle(4 + random() % 60);
    for (size_t i = 0; i < needle.size(); ++i) needle[i] = word[i % word.size()];
    if (round % 2) needle[random() % needle.size()] ^= 'A' ^ 'B';
    Bytes data = document;
    for (int copies = int(random() % 3); copies > 0; --copies)
      std::copy(needle.begin(), needle.end(), data.begin() + long(random() % (data.size() - needle.size())));
    const int32_t end = int32_t(data.size()) - int32_t(random() % 100), from = int32_t(random() % 100);
    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_EQ(find(data, needle, from, end), plainScan(data, needle, from, end));
  }
}

}  // namespace
