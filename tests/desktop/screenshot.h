// Screenshots: what the display shows, as 0x00RRGGBB pixels, and saved as PNG for a person to look at.
#ifndef OXBYTE_TESTS_DESKTOP_SCREENSHOT_H
#define OXBYTE_TESTS_DESKTOP_SCREENSHOT_H

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/desktop/xwindows.h"

namespace desktop {

struct Screenshot {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;

  uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
  bool empty() const { return pixels.empty(); }
  bool savePng(const std::string &path) const;
};

// The part of the screen inside `area` (root coordinates), as shown: windows above it included.
Screenshot capture(Display *x, Rect area);
Screenshot captureScreen(Display *x);

constexpr uint32_t rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

}  // namespace desktop

#endif
