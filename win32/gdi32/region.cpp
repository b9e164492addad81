// gdi32: regions as sets of disjoint rectangles.
#include "gdi32/region.h"

namespace win32 {
namespace {

// Appends the parts of `r` that lie outside `cut` (at most four rectangles).
void appendDifference(const RECT &r, const RECT &cut, std::vector<RECT> &out) {
  RECT overlap = rectIntersection(r, cut);
  if (rectEmpty(overlap)) {
    out.push_back(r);
    return;
  }
  if (r.top < overlap.top) out.push_back({r.left, r.top, r.right, overlap.top});
  if (overlap.bottom < r.bottom) out.push_back({r.left, overlap.bottom, r.right, r.bottom});
  if (r.left < overlap.left) out.push_back({r.left, overlap.top, overlap.left, overlap.bottom});
  if (overlap.right < r.right) out.push_back({overlap.right, overlap.top, r.right, overlap.bottom});
}

}  // namespace

RECT Region::bounds() const {
  if (rects_.empty()) return {0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT &r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

bool Region::contains(int x, int y) const {
  for (const RECT &r : rects_)
    if (rectContains(r, x, y)) return true;
  return false;
}

void Region::unite(const RECT &r) {
  if (rectEmpty(r)) return;
  subtract(r);
  rects_.push_back(r);
}

void Region::subtract(const RECT &cut) {
  if (rectEmpty(cut)) return;
  std::vector<RECT> out;
  out.reserve(rects_.size() + 3);
  for (const RECT &r : rects_) appendDifference(r, cut, out);
  rects_.swap(out);
}

void Region::intersect(const RECT &clip) {
  std::vector<RECT> out;
  for (const RECT &r : rects_) {
    RECT part = rectIntersection(r, clip);
    if (!rectEmpty(part)) out.push_back(part);
  }
  rects_.swap(out);
}

void Region::intersect(const Region &other) {
  std::vector<RECT> out;
  for (const RECT &a : rects_)
    for (const RECT &b : other.rects_) {
      RECT part = rectIntersection(a, b);
      if (!rectEmpty(part)) out.push_back(part);
    }
  rects_.swap(out);
}

void Region::offset(int dx, int dy) {
  for (RECT &r : rects_) r = rectOffset(r, dx, dy);
}

}  // namespace win32
