// The search text's two forms and the search. The search returns exactly what a plain scan from each
// offset in turn would, but through the C library's memmem (a Two-Way search), so that even a needle
// that almost matches everywhere costs linear time.
#include "dialogs/search.h"

#include <cstring>

#include "view/edit.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The first offset i with from ≤ i and i + n ≤ end where the needle lies, or −1.
int32_t firstMatch(const uint8_t *data, int32_t from, int32_t end, const std::vector<uint8_t> &needle) {
  int32_t n = int32_t(needle.size());
  if (from < 0 || from >= end || int64_t(from) + n > end) return -1;
  if (n == 0) return from;
  const void *hit = memmem(data + from, size_t(end - from), needle.data(), size_t(n));
  return hit ? int32_t(static_cast<const uint8_t *>(hit) - data) : -1;
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
  static const char digits[] = "0123456789ABCDEF";
  std::string list;
  for (unsigned char b : text) {
    if (!list.empty()) list += ' ';
    list += digits[b >> 4];
    list += digits[b & 15];
  }
  return list;
}

std::string fromHexList(const std::string &list) {
  std::string text;
  for (uint8_t b : readHexList(list))
    if (b) text += char(b);
  return text;
}
