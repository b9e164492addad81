// The search's two routes — candidates found by their last byte, and Boyer-Moore once candidates
// prove frequent — and the switch between them, against the plain scan on documents large enough for
// the switch to happen.
#include "dialogs/search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

int32_t plainScanFrom(const std::vector<uint8_t> &data, const std::string &needle, int32_t from, int32_t end) {
  const int32_t n = int32_t(needle.size());
  for (int32_t i = from; i + n <= end; ++i)
    if (std::equal(needle.begin(), needle.end(), data.begin() + i)) return i;
  return -1;
}

// What findBytes must answer: after p to the end, then from the start up to p.
int32_t expected(const std::vector<uint8_t> &data, const std::string &needle, int32_t p) {
  int32_t size = int32_t(data.size());
  int32_t found = plainScanFrom(data, needle, p + 1, size);
  if (found < 0 && p >= 0) found = plainScanFrom(data, needle, 0, std::min(p, size));
  return found;
}

int32_t find(const std::vector<uint8_t> &data, const std::string &needle, int32_t p) {
  findBytes(data.data(), int32_t(data.size()), true, needle.c_str(), p);
  return p;
}

// A needle whose last byte is everywhere in the document while its first byte is rare: each candidate
// fails, so the search changes route part of the way through. The match is put at every offset of the
// first few thousand, so that wherever the route changes, a match right there is seen.
TEST(FindRoutes, FrequentLastByteSwitchesRouteAndStillFindsTheFirstMatch) {
  const std::vector<uint8_t> plain(6000, 'A');
  const std::string needle = "B" + std::string(40, 'A');
  EXPECT_EQ(find(plain, needle, -1), -1);
  for (int32_t at = 0; at < 3000; ++at) {
    std::vector<uint8_t> data = plain;
    data[size_t(at)] = 'B';
    ASSERT_EQ(find(data, needle, -1), at);
    ASSERT_EQ(find(data, needle, at + 41), at) << "found after wrapping to the start";
  }
  std::vector<uint8_t> late = plain;
  late[5000] = 'B';
  for (int32_t p : {4999, 5000, 5959})
    EXPECT_EQ(find(late, needle, p), expected(late, needle, p)) << "from " << p;
}

TEST(FindRoutes, AgreeWithThePlainScanOnLargeDocumentsOfFewSymbols) {
  std::mt19937 random(777);
  for (int round = 0; round < 300; ++round) {
    int alphabet = 1 + int(random() % 3);
    std::vector<uint8_t> data(1 + random() % 30000);
    for (auto &b : data) b = uint8_t('A' + random() % alphabet);
    std::string needle(1 + random() % 24, 'A');
    for (auto &c : needle) c = char('A' + random() % alphabet);
    int32_t size = int32_t(data.size());
    int32_t p = int32_t(random() % uint32_t(size + 1)) - 1;
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(find(data, needle, p), expected(data, needle, p));
  }
}

}  // namespace
