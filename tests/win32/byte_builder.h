// Test helper: little-endian byte strings for hand-made resources.
#ifndef OXBYTE_TESTS_WIN32_BYTE_BUILDER_H
#define OXBYTE_TESTS_WIN32_BYTE_BUILDER_H

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct ByteBuilder {
  std::vector<uint8_t> bytes;

  ByteBuilder &u8(uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  ByteBuilder &u16(uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }
  ByteBuilder &u32(uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
  // A NUL-terminated UTF-16 string.
  ByteBuilder &text(std::u16string_view value) {
    for (char16_t unit : value) u16(unit);
    return u16(0);
  }
  ByteBuilder &ordinal(uint16_t value) { return u16(0xFFFF).u16(value); }
  ByteBuilder &align4() {
    while (bytes.size() % 4) u8(0);
    return *this;
  }
  ByteBuilder &append(std::span<const uint8_t> more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  size_t size() const { return bytes.size(); }
  std::span<const uint8_t> span() const { return bytes; }
};

#endif
