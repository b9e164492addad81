// backend: how many desktop pixels a Win32 pixel takes on a high-DPI desktop, and the pixels drawn so.
#ifndef OXBYTE_WIN32_BACKEND_SDL_SCALE_H
#define OXBYTE_WIN32_BACKEND_SDL_SCALE_H

#include <cstdint>
#include <vector>

namespace win32::backend {

// As Windows does for a program that does not say it knows about DPI, the program keeps drawing at 96
// dots per inch and the desktop enlarges it, here by a whole factor so every pixel stays sharp.
// OXBYTE_SCALE (1 to 8) decides; else GDK_SCALE where the desktop sets it; else the desktop's DPI.
int chooseScale();
// The whole factor for a desktop of `dpi` dots per inch: 1 up to about 160 dpi, 2 from there, and so on.
int scaleForDpi(float dpi);

// The rectangle left, top, right, bottom of `pixels` (`stride` pixels a row), each pixel made a block of
// `scale` × `scale`, into `out` (whose rows are `stride` × `scale` wide). Returns out's pixels.
const uint32_t *scaleUp(const uint32_t *pixels, int stride, int height, int left, int top, int right, int bottom,
                        int scale, std::vector<uint32_t> &out);

}  // namespace win32::backend

#endif
