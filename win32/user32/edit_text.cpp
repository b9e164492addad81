// user32: the text rules of the edit control.
#include "user32/edit_text.h"

#include <utility>

#include "gdi32/font.h"

namespace win32::edit {
namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

size_t nextBoundary(std::string_view text, size_t pos) {
  if (pos >= text.size()) return text.size();
  font::nextCodePoint(text, pos);
  return pos;
}

// Steps back to the nearest lead byte whose character ends exactly at `pos`; otherwise the last byte
// stands alone, as the decoder reads it.
size_t previousBoundary(std::string_view text, size_t pos) {
  if (pos == 0) return 0;
  if (pos > text.size()) return text.size();
  for (size_t back = 1; back <= 4 && back <= pos; ++back) {
    size_t start = pos - back;
    if (isContinuation(static_cast<unsigned char>(text[start]))) continue;
    return nextBoundary(text, start) == pos ? start : pos - 1;
  }
  return pos - 1;
}

size_t snapToBoundary(std::string_view text, size_t pos) {
  if (pos >= text.size()) return text.size();
  size_t boundary = 0;
  for (size_t i = 0; i <= pos && i < text.size(); i = nextBoundary(text, i)) boundary = i;
  return boundary;
}

size_t wordStartBefore(std::string_view text, size_t pos) {
  pos = snapToBoundary(text, pos);
  while (pos > 0 && isBlank(text[pos - 1])) --pos;
  while (pos > 0) {
    size_t before = previousBoundary(text, pos);
    if (isBlank(text[before])) break;
    pos = before;
  }
  return pos;
}

size_t wordStartAfter(std::string_view text, size_t pos) {
  pos = snapToBoundary(text, pos);
  while (pos < text.size() && !isBlank(text[pos])) pos = nextBoundary(text, pos);
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos;
}

void wordAround(std::string_view text, size_t pos, size_t &begin, size_t &end) {
  begin = end = snapToBoundary(text, pos);
  if (text.empty()) return;
  if (end == text.size()) begin = previousBoundary(text, end);
  bool blank = isBlank(text[begin]);
  while (begin > 0) {
    size_t before = previousBoundary(text, begin);
    if (isBlank(text[before]) != blank) break;
    begin = before;
  }
  end = begin;
  while (end < text.size() && isBlank(text[end]) == blank) end = nextBoundary(text, end);
}

size_t prefixWithinBytes(std::string_view insert, size_t room) {
  size_t fit = 0;
  for (size_t next; fit < insert.size() && (next = nextBoundary(insert, fit)) <= room;) fit = next;
  return fit;
}

size_t prefixWithinWidth(std::string_view insert, int room) {
  size_t fit = 0;
  int width = 0;
  while (fit < insert.size()) {
    size_t next = fit;
    width += font::glyph(font::nextCodePoint(insert, next)).width;
    if (width > room) break;
    fit = next;
  }
  return fit;
}

namespace {

// The letters with exactly one partner in the other case, in ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic. Each partner takes as many bytes of UTF-8 as the letter, so changing the case moves no
// position; letters without a single partner (ß, İ, ı) stay as they are.
//
// Blocks whose small letters lie `offset` after their capitals (× and ÷, and the Greek gap at U+03A2,
// are no letters), and runs where a capital and its small letter alternate, capital first.
struct CaseBlock {
  uint32_t firstCapital, lastCapital, offset;
};
constexpr CaseBlock kCaseBlocks[] = {
    {'A', 'Z', 0x20}, {0xC0, 0xDE, 0x20}, {0x391, 0x3AB, 0x20}, {0x410, 0x42F, 0x20}, {0x400, 0x40F, 0x50}};
constexpr std::pair<uint32_t, uint32_t> kAlternatingRuns[] = {
    {0x100, 0x12F}, {0x132, 0x137}, {0x139, 0x148}, {0x14A, 0x177}, {0x179, 0x17E}};

uint32_t turnCase(uint32_t c, bool toUpper) {
  if (c == 0xD7 || c == 0xF7 || c == 0x3A2) return c;
  if (c == 0x3C2) return toUpper ? 0x3A3 : c;  // the final sigma
  if (c == 0xFF || c == 0x178) return toUpper ? 0x178 : 0xFF;  // ÿ and Ÿ, a block apart
  for (const CaseBlock &b : kCaseBlocks) {
    if (!toUpper && c >= b.firstCapital && c <= b.lastCapital) return c + b.offset;
    if (toUpper && c >= b.firstCapital + b.offset && c <= b.lastCapital + b.offset) return c - b.offset;
  }
  for (auto [first, last] : kAlternatingRuns) {
    if (c < first || c > last) continue;
    bool capital = (c - first) % 2 == 0;
    return capital == toUpper ? c : capital ? c + 1 : c - 1;
  }
  return c;
}

}  // namespace

// Every letter turns, not only a to z: ES_UPPERCASE "converts all characters to uppercase".
void applyCase(std::string &text, DWORD style) {
  if (!(style & (ES_UPPERCASE | ES_LOWERCASE))) return;
  for (size_t i = 0; i < text.size();) {
    size_t start = i;
    uint32_t c = font::nextCodePoint(text, i);
    uint32_t turned = turnCase(c, (style & ES_UPPERCASE) != 0);
    if (turned == c) continue;
    if (turned < 0x80) {
      text[start] = char(turned);
    } else {  // two bytes, as the letter was
      text[start] = char(0xC0 | (turned >> 6));
      text[start + 1] = char(0x80 | (turned & 0x3F));
    }
  }
}

std::string_view firstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }

bool CharacterAssembler::add(unsigned char byte, std::string &character) {
  if (isContinuation(byte)) {
    if (pending_.empty()) return false;
    pending_.push_back(char(byte));
    if (pending_.size() < expected_) return false;
    character = std::move(pending_);
    pending_.clear();
    return true;
  }
  pending_.clear();
  expected_ = byte < 0x80 ? 1 : (byte & 0xE0) == 0xC0 ? 2 : (byte & 0xF0) == 0xE0 ? 3 : (byte & 0xF8) == 0xF0 ? 4 : 0;
  if (expected_ == 0) return false;
  pending_.push_back(char(byte));
  if (expected_ > 1) return false;
  character = std::move(pending_);
  pending_.clear();
  return true;
}

}  // namespace win32::edit
