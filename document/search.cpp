// The search text's two forms, and the search forward from the cursor that wraps to the start.
#include "document/search.h"

#include "document/byte_search.h"
#include "document/byte_text.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

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
  const int32_t length = int32_t(needle.size()), p = position;
  int32_t found = firstOccurrence(data, p + 1 < 0 ? 0 : p + 1, size, needle.data(), length);
  if (found < 0 && p >= 0) found = firstOccurrence(data, 0, p < size ? p : size, needle.data(), length);
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
