// backend: the desktop's scale factor and pixels drawn at it.
#include "backend/sdl/scale.h"

#include "backend/sdl/library.h"

#include "backend/sdl/x11.h"

#include <algorithm>
#include <cstdlib>

namespace win32::backend {
namespace {

int wholeFactor(const char *variable) {
  const char *text = std::getenv(variable);
  int value = text ? std::atoi(text) : 0;
  return value >= 1 && value <= 8 ? value : 0;
}

}  // namespace

int scaleForDpi(float dpi) { return std::clamp(int(dpi / 96 + 0.25f), 1, 8); }

int chooseScale() {
  if (int chosen = wholeFactor("OXBYTE_SCALE")) return chosen;
  if (int desktop = wholeFactor("GDK_SCALE")) return desktop;
  float dpi = x11::desktopDpi();
  if (dpi <= 0 && SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0) return 1;
  return dpi > 0 ? scaleForDpi(dpi) : 1;
}

const uint32_t *scaleUp(const uint32_t *pixels, int stride, int height, int left, int top, int right, int bottom,
                        int scale, std::vector<uint32_t> &out) {
  size_t outStride = size_t(stride) * scale;
  out.resize(std::max(out.size(), outStride * size_t(height) * scale));
  for (int y = top; y < bottom; ++y) {
    uint32_t *row = out.data() + size_t(y) * scale * outStride;
    for (int x = left; x < right; ++x) std::fill_n(row + size_t(x) * scale, scale, pixels[size_t(y) * stride + x]);
    for (int copy = 1; copy < scale; ++copy)
      std::copy(row + size_t(left) * scale, row + size_t(right) * scale, row + copy * outStride + size_t(left) * scale);
  }
  return out.data();
}

}  // namespace win32::backend
