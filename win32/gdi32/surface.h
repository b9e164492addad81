// gdi32: the pixels of one top-level window (0x00RRGGBB, rows top-down) and the part not yet shown.
#ifndef OXBYTE_WIN32_GDI32_SURFACE_H
#define OXBYTE_WIN32_GDI32_SURFACE_H

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32 {

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width × height once made: row() makes them, and so does showing them
  RECT dirty{0, 0, 0, 0};

  // The pixels of the new size are made, all `fill`, at their first use: a window sized again before it
  // is ever drawn (a frame created at the default size, then fitted to its contents) fills only its final
  // size, which keeps memory the program never sees from costing start-up time.
  void resize(int w, int h, uint32_t fill) {
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    fill_ = fill;
    made_ = false;
    pixels.clear();
    dirty = {0, 0, width, height};
  }
  void make() {
    if (made_) return;
    pixels.assign(size_t(width) * height, fill_);
    made_ = true;
  }
  uint32_t *row(int y) {
    make();
    return pixels.data() + size_t(y) * width;
  }
  bool hasDirty() const { return dirty.right > dirty.left && dirty.bottom > dirty.top; }
  void markDirty(const RECT &r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (!hasDirty()) {
      dirty = r;
      return;
    }
    if (r.left < dirty.left) dirty.left = r.left;
    if (r.top < dirty.top) dirty.top = r.top;
    if (r.right > dirty.right) dirty.right = r.right;
    if (r.bottom > dirty.bottom) dirty.bottom = r.bottom;
  }

 private:
  uint32_t fill_ = 0;
  bool made_ = true;
};

inline uint32_t pixelOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
inline COLORREF colorOf(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace win32

#endif
