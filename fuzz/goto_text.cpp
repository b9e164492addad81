// Fuzz target: the Go-to dialog's text reader, checked against an independent reading of the same rule
// (std::from_chars over the checked digits).
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/goto.h"

namespace {

bool allOf(const std::string &text, const char *allowed) {
  return text.find_first_not_of(allowed) == std::string::npos;
}

// Decimal digits alone, or capital hexadecimal digits and a final H; the number must fit in 32 bits.
bool referenceOffset(const std::string &text, int32_t &offset) {
  bool hex = !text.empty() && text.back() == 'H';
  std::string digits = hex ? text.substr(0, text.size() - 1) : text;
  if (digits.empty() || !allOf(digits, hex ? "0123456789ABCDEF" : "0123456789")) return false;
  uint64_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
  if (error != std::errc() || end != digits.data() + digits.size() || value > UINT32_MAX) return false;
  offset = int32_t(uint32_t(value));
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The dialog hands over a C string of at most 254 bytes; anything after a NUL is never seen.
  std::string text(reinterpret_cast<const char *>(data), size);
  text = text.substr(0, text.find('\0'));
  int32_t expected = 0, got = 0;
  bool accepted = parseOffset(text.c_str(), got);
  if (accepted != referenceOffset(text, expected)) std::abort();
  if (accepted && got != expected) std::abort();
  return 0;
}
