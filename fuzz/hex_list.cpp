// Fuzz target: the hexadecimal byte list (reading, both conversions) and the search, each checked against a
// plain transcription of its rule: the list read group by group from bytes 0, 3, 6..., and the search as
// a byte-by-byte scan from each offset in turn.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "document/search.h"

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// (L + 1) / 3 groups; group k skips white space from byte 3k, then takes up to two digits; a group with
// no digit there gives no byte.
std::vector<uint8_t> plainReadHexList(const std::string &text) {
  std::vector<uint8_t> bytes;
  for (size_t start = 0; start + 2 <= text.size(); start += 3) {
    size_t i = start;
    while (i < text.size() && blank(text[i])) ++i;
    int value = 0, taken = 0;
    while (taken < 2 && i < text.size() && digitValue(text[i]) >= 0) value = value * 16 + digitValue(text[i++]), ++taken;
    if (taken) bytes.push_back(uint8_t(value));
  }
  return bytes;
}

bool matchesAt(const uint8_t *data, int32_t i, const std::vector<uint8_t> &needle) {
  for (size_t j = 0; j < needle.size(); ++j)
    if (data[size_t(i) + j] != needle[j]) return false;
  return true;
}

// Offsets p + 1 up to the end, then (when p ≥ 0) the first p bytes alone from offset 0.
int32_t plainFind(const uint8_t *data, int32_t size, const std::vector<uint8_t> &needle, int32_t p) {
  int32_t n = int32_t(needle.size());
  for (int32_t i = p + 1; i < size && i + n <= size; ++i)
    if (matchesAt(data, i, needle)) return i;
  if (p < 0) return -1;
  return plainFind(data, p, needle, -1);
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// Input: a mode byte, a position byte pair, a text length byte, the search text, then the searched bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
  if (size < 4) return 0;
  bool asciiMode = input[0] & 1;
  unsigned rawPosition = input[1] | unsigned(input[2]) << 8;
  size_t textLength = std::min<size_t>(input[3], size - 4);
  std::string text(reinterpret_cast<const char *>(input + 4), textLength);
  text = text.substr(0, text.find('\0'));  // the stored search text is a C string
  const uint8_t *data = input + 4 + textLength;
  int32_t dataSize = int32_t(size - 4 - textLength);

  // The list rule, and the two conversions of the Find dialog.
  std::vector<uint8_t> list = readHexList(text);
  check(list == plainReadHexList(text));
  std::string hex = toHexList(text);
  check(hex.size() == (text.empty() ? 0 : 3 * text.size() - 1));
  check(readHexList(hex) == std::vector<uint8_t>(text.begin(), text.end()));
  check(fromHexList(hex) == text);  // the text has no NUL, so nothing is left out
  std::string characters = fromHexList(text);
  std::string nonZero;
  for (uint8_t b : list)
    if (b) nonZero += char(b);
  check(characters == nonZero);

  // The search, from every kind of position the view can hand it: the cursor's offset, or 0 in an empty file.
  int32_t position = dataSize == 0 ? 0 : int32_t(rawPosition % unsigned(dataSize));
  if (input[0] & 2) position = -1;
  int32_t found = position;
  findBytes(data, dataSize, asciiMode, text.c_str(), found);
  std::vector<uint8_t> needle = asciiMode ? std::vector<uint8_t>(text.begin(), text.end()) : plainReadHexList(text);
  check(found == plainFind(data, dataSize, needle, position));
  check(found == -1 || (found >= 0 && found + int64_t(needle.size()) <= dataSize));
  return 0;
}
