// Fuzzing: the input bytes read as a stream of small decisions; an exhausted stream answers zeros.
#ifndef OXBYTE_FUZZ_FUZZ_INPUT_H
#define OXBYTE_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const uint8_t *data, size_t size) : at_(data), end_(data + size) {}

  bool empty() const { return at_ == end_; }
  uint8_t byte() { return at_ == end_ ? 0 : *at_++; }
  // A choice among `count` options.
  unsigned pick(unsigned count) { return byte() % count; }
  // A text of up to `longest` bytes (a length byte, then that many bytes); NUL bytes become blanks, as a
  // C string could not hold them.
  std::string text(size_t longest) {
    size_t length = byte();
    if (length > 200) length = longest - (255 - length);  // lengths near the limits come often
    std::string text;
    for (size_t i = 0; i < length && !empty(); ++i) {
      char c = char(byte());
      text += c ? c : ' ';
    }
    return text;
  }

 private:
  const uint8_t *at_;
  const uint8_t *end_;
};

#endif
