// The search text's two forms and the search. The search returns exactly what a plain scan from each
// offset in turn would. Candidates come from memchr looking for the needle's last byte (the C library
// scans many bytes at a time) and each is checked with memcmp; should the candidates prove frequent,
// the rest is searched with Boyer-Moore, whose first match costs linear time with its good-suffix rule,
// so that even a needle that almost matches everywhere stays fast.
#include "dialogs/search.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "view/edit.h"
#include "view/layout.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Boyer-Moore from `from` on.
int32_t boyerMoore(const uint8_t *data, int32_t from, int32_t end, const std::vector<uint8_t> &needle) {
  const uint8_t *hit = std::search(data + from, data + end, std::boyer_moore_searcher(needle.begin(), needle.end()));
  return hit == data + end ? -1 : int32_t(hit - data);
}

// The first offset i with from ≤ i and i + n ≤ end where the needle lies, or −1.
int32_t firstMatch(const uint8_t *data, int32_t from, int32_t end, const std::vector<uint8_t> &needle) {
  const int32_t n = int32_t(needle.size());
  if (from < 0 || from >= end || int64_t(from) + n > end) return -1;
  if (n == 0) return from;
  // The bytes memcmp may compare stay within a few times the bytes passed; beyond that the candidates
  // are too many for this route to pay.
  int64_t budget = 4 * int64_t(n) + 4096;
  for (int32_t start = from; start + n <= end;) {
    const void *last = std::memchr(data + start + n - 1, needle[size_t(n - 1)], size_t(end - (start + n - 1)));
    if (!last) return -1;
    int32_t candidate = int32_t(static_cast<const uint8_t *>(last) - data) - (n - 1);
    budget += 4 * int64_t(candidate + 1 - start) - n;
    if (std::memcmp(data + candidate, needle.data(), size_t(n - 1)) == 0) return candidate;
    start = candidate + 1;
    if (budget < 0) return boyerMoore(data, start, end, needle);
  }
  return -1;
}

}  // namespace

std::vector<uint8_t> readHexList(const std::string &text) {
  std::vector<uint8_t> bytes;
  size_t groups = (text.size() + 1) / 3;
  for (size_t k = 0; k < groups; ++k) {
    size_t i = 3 * k;
    while (i < text.size() && isSpace(text[i])) ++i;
    int value = 0, digits = 0;
    for (; digits < 2 && i < text.size(); ++digits, ++i) {
      int v = hexDigitValue(static_cast<unsigned char>(text[i]));
      if (v < 0) break;
      value = value * 16 + v;
    }
    if (digits > 0) bytes.push_back(uint8_t(value));
  }
  return bytes;
}

std::vector<uint8_t> searchNeedle(const std::string &text, bool asciiMode) {
  if (asciiMode) return std::vector<uint8_t>(text.begin(), text.end());
  return readHexList(text);
}

void findBytes(const uint8_t *data, int32_t size, bool asciiMode, const char *text, int32_t &position) {
  std::vector<uint8_t> needle = searchNeedle(text ? text : "", asciiMode);
  int32_t p = position;
  int32_t found = firstMatch(data, p + 1 < 0 ? 0 : p + 1, size, needle);
  if (found < 0 && p >= 0) found = firstMatch(data, 0, p < size ? p : size, needle);
  position = found;
}

std::string toHexList(const std::string &text) {
  std::string list;
  for (unsigned char b : text) {
    if (!list.empty()) list += ' ';
    list.append(hexDigits(b).text, 2);
  }
  return list;
}

std::string fromHexList(const std::string &list) {
  std::string text;
  for (uint8_t b : readHexList(list))
    if (b) text += char(b);
  return text;
}
