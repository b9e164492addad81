// gdi32: a decoded picture (bitmap or icon image) in the stand-in's pixel format.
#ifndef OXBYTE_WIN32_GDI32_IMAGE_H
#define OXBYTE_WIN32_GDI32_IMAGE_H

#include <cstdint>
#include <vector>

namespace win32 {

// Pixels are 0xAARRGGBB, rows top-down; alpha is 0 where an icon's mask makes the pixel transparent and
// 0xFF everywhere else.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace win32

#endif
