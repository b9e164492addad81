// backend: texts for the desktop.
#include "backend/sdl/utf8.h"

namespace win32::backend {
namespace {

// The length of the well-formed UTF-8 sequence at `p` (at most `left` bytes), or 0.
size_t sequenceLength(const unsigned char *p, size_t left) {
  unsigned char b = p[0];
  if (b < 0x80) return 1;
  size_t length = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
  if (length == 0 || length > left) return 0;
  // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
  unsigned char low = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
  unsigned char high = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
  if (p[1] < low || p[1] > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if ((p[i] & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

std::string displayText(const std::string &text) {
  std::string shown;
  shown.reserve(text.size());
  const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
  for (size_t i = 0; i < text.size();) {
    size_t length = sequenceLength(bytes + i, text.size() - i);
    if (length == 0) {
      shown += "\xEF\xBF\xBD";
      ++i;
    } else {
      shown.append(text, i, length);
      i += length;
    }
  }
  return shown;
}

}  // namespace win32::backend
