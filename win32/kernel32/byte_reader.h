// kernel32: a bounds-checked little-endian reader over resource bytes.
#ifndef OXBYTE_WIN32_KERNEL32_BYTE_READER_H
#define OXBYTE_WIN32_KERNEL32_BYTE_READER_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace win32 {

// Reads fixed-size fields and UTF-16 strings from a span. A read past the end fails the reader for good:
// it returns zeros and empty strings from then on, so a parser can read a whole structure and check ok()
// once. Alignment is relative to the start of the span, which for resource data is DWORD-aligned.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes, size_t offset = 0)
      : bytes_(bytes), offset_(offset), ok_(offset <= bytes.size()) {}

  bool ok() const { return ok_; }
  size_t offset() const { return offset_; }
  size_t remaining() const { return ok_ ? bytes_.size() - offset_ : 0; }

  uint8_t u8() { return static_cast<uint8_t>(read(1)); }
  uint16_t u16() { return static_cast<uint16_t>(read(2)); }
  uint32_t u32() { return static_cast<uint32_t>(read(4)); }
  int16_t i16() { return static_cast<int16_t>(u16()); }
  int32_t i32() { return static_cast<int32_t>(u32()); }

  std::span<const uint8_t> bytes(size_t count) {
    if (!take(count)) return {};
    return bytes_.subspan(offset_ - count, count);
  }
  void skip(size_t count) { take(count); }

  // Moves to the next multiple of `alignment` (a power of two); running off the end fails the reader.
  void align(size_t alignment) {
    size_t padding = (alignment - offset_ % alignment) % alignment;
    take(padding);
  }

  // A NUL-terminated UTF-16 string; the terminator is consumed but not returned.
  std::u16string wideString() {
    std::u16string text;
    while (ok_) {
      char16_t unit = u16();
      if (!ok_ || unit == 0) break;
      text.push_back(unit);
    }
    return text;
  }

 private:
  bool take(size_t count) {
    if (!ok_ || count > bytes_.size() - offset_) {
      ok_ = false;
      return false;
    }
    offset_ += count;
    return true;
  }

  uint32_t read(size_t count) {
    if (!take(count)) return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) value |= uint32_t{bytes_[offset_ - count + i]} << (8 * i);
    return value;
  }

  std::span<const uint8_t> bytes_;
  size_t offset_;
  bool ok_;
};

}  // namespace win32

#endif
