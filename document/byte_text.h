// A byte read as text: its two hexadecimal digits and its character, as the view shows them and the Find
// dialog's byte lists are written.
#ifndef OXBYTE_DOCUMENT_BYTE_TEXT_H
#define OXBYTE_DOCUMENT_BYTE_TEXT_H

#include <cstdint>

struct HexDigits {
  char text[2];
};
// Upper-case, as the view writes them.
constexpr HexDigits hexDigits(uint8_t b) {
  constexpr char digits[] = "0123456789ABCDEF";
  return {{digits[b >> 4], digits[b & 15]}};
}

// The value of a hexadecimal digit character of either case, or −1.
constexpr int hexDigitValue(unsigned code) {
  if (code >= '0' && code <= '9') return int(code - '0');
  if (code >= 'A' && code <= 'F') return int(code - 'A' + 10);
  if (code >= 'a' && code <= 'f') return int(code - 'a' + 10);
  return -1;
}

// The character shown for a byte: the byte itself when printable ASCII, else a dot.
constexpr char displayChar(uint8_t b) { return b >= 0x20 && b <= 0x7E ? char(b) : '.'; }

#endif
