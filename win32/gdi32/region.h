// gdi32: regions as sets of disjoint rectangles (update regions and clipping).
#ifndef OXBYTE_WIN32_GDI32_REGION_H
#define OXBYTE_WIN32_GDI32_REGION_H

#include <windows.h>

#include <algorithm>
#include <vector>

namespace win32 {

inline bool rectEmpty(const RECT &r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT rectIntersection(const RECT &a, const RECT &b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return rectEmpty(r) ? RECT{0, 0, 0, 0} : r;
}
inline RECT rectOffset(RECT r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
inline bool rectContains(const RECT &r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

class Region {
 public:
  Region() = default;
  explicit Region(const RECT &r) {
    if (!rectEmpty(r)) rects_.push_back(r);
  }

  bool empty() const { return rects_.empty(); }
  const std::vector<RECT> &rects() const { return rects_; }
  RECT bounds() const;
  bool contains(int x, int y) const;

  void unite(const RECT &r);
  void subtract(const RECT &r);
  void intersect(const RECT &r);
  void intersect(const Region &other);
  void offset(int dx, int dy);
  void clear() { rects_.clear(); }

 private:
  std::vector<RECT> rects_;
};

}  // namespace win32

#endif
