// Screenshots of the private display.
#include "tests/desktop/screenshot.h"

#include <X11/Xutil.h>

#include <algorithm>

#include "backend/headless/png.h"

namespace desktop {

bool Screenshot::savePng(const std::string &path) const { return win32::writePng(path, pixels.data(), width, height); }

Screenshot capture(Display *x, Rect area) {
  Screen *screen = DefaultScreenOfDisplay(x);
  int left = std::max(area.x, 0), top = std::max(area.y, 0);
  int right = std::min(area.x + area.width, WidthOfScreen(screen));
  int bottom = std::min(area.y + area.height, HeightOfScreen(screen));
  if (right <= left || bottom <= top) return {};
  XImage *image = XGetImage(x, RootWindowOfScreen(screen), left, top, unsigned(right - left),
                            unsigned(bottom - top), AllPlanes, ZPixmap);
  if (!image) return {};
  Screenshot shot{right - left, bottom - top, {}};
  shot.pixels.reserve(size_t(shot.width) * shot.height);
  for (int py = 0; py < shot.height; ++py)
    for (int px = 0; px < shot.width; ++px) shot.pixels.push_back(uint32_t(XGetPixel(image, px, py)) & 0xFFFFFF);
  XDestroyImage(image);
  return shot;
}

Screenshot captureScreen(Display *x) {
  Screen *screen = DefaultScreenOfDisplay(x);
  return capture(x, Rect{0, 0, WidthOfScreen(screen), HeightOfScreen(screen)});
}

}  // namespace desktop
