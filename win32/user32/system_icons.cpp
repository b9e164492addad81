// user32: the system icons, drawn in code: shapes from simple geometry, symbols from pixel art.
#include "user32/system_icons.h"

#include <cmath>
#include <functional>
#include <map>

#include "user32/icon.h"

namespace win32 {
namespace {

constexpr int kSize = 32;
constexpr uint32_t kOpaque = 0xFF000000;

using Shape = std::function<bool(double x, double y)>;

struct Canvas {
  Image image{kSize, kSize, std::vector<uint32_t>(size_t(kSize) * kSize, 0)};

  void set(int x, int y, uint32_t rgb) {
    if (x >= 0 && y >= 0 && x < kSize && y < kSize) image.pixels[size_t(y) * kSize + x] = kOpaque | rgb;
  }

  // Fills the pixels whose centres lie in the shape, and draws its edge (inside pixels with a neighbour
  // outside) in the outline colour.
  void fill(const Shape &inside, uint32_t body, uint32_t outline) {
    auto in = [&](int x, int y) { return inside(x + 0.5, y + 0.5); };
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        if (!in(x, y)) continue;
        bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
        set(x, y, edge ? outline : body);
      }
  }

  // Pixel art: every '#' of the rows becomes a pixel of `color`, the first row at (x, y).
  void art(int x, int y, std::initializer_list<const char *> rows, uint32_t color) {
    for (const char *row : rows) {
      for (int col = 0; row[col]; ++col)
        if (row[col] == '#') set(x + col, y, color);
      ++y;
    }
  }
};

bool insideTriangle(double px, double py, double ax, double ay, double bx, double by, double cx, double cy) {
  auto side = [&](double x1, double y1, double x2, double y2) { return (px - x2) * (y1 - y2) - (x1 - x2) * (py - y2); };
  double d1 = side(ax, ay, bx, by), d2 = side(bx, by, cx, cy), d3 = side(cx, cy, ax, ay);
  bool negative = d1 < 0 || d2 < 0 || d3<0, positive = d1> 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

// A speech balloon: an ellipse with a tail down to the lower left, as the classic information and
// question icons have.
bool insideBalloon(double x, double y) {
  double dx = (x - 16) / 15, dy = (y - 13.5) / 12;
  return dx * dx + dy * dy <= 1 || insideTriangle(x, y, 7, 20, 15, 24, 4, 31);
}

Image errorIcon() {
  Canvas c;
  c.fill([](double x, double y) { return std::hypot(x - 16, y - 16) <= 15; }, 0xE00000, 0x800000);
  // A white cross: the pixels near either diagonal of the middle square.
  for (int y = 9; y < 23; ++y)
    for (int x = 9; x < 23; ++x) {
      double cx = x + 0.5 - 16, cy = y + 0.5 - 16;
      if (std::fabs(cx - cy) < 2.2 || std::fabs(cx + cy) < 2.2) c.set(x, y, 0xFFFFFF);
    }
  return c.image;
}

Image warningIcon() {
  Canvas c;
  c.fill([](double x, double y) { return insideTriangle(x, y, 16, 1, 31, 30, 1, 30); }, 0xFFFF00, 0x000000);
  c.art(13, 10,
        {".####.", ".####.", ".####.", ".####.", ".####.", "..##..", "..##..", "..##..", "..##..", "......", "......",
         "..##..", ".####.", ".####.", "..##.."},
        0x000000);
  return c.image;
}

Image informationIcon() {
  Canvas c;
  c.fill(insideBalloon, 0xFFFFFF, 0x000000);
  c.art(12, 4,
        {"...###..", "...###..", "...###..", "........", "........", ".#####..", "...###..", "...###..", "...###..",
         "...###..", "...###..", "...###..", ".#######"},
        0x0000FF);
  return c.image;
}

Image questionIcon() {
  Canvas c;
  c.fill(insideBalloon, 0xFFFFFF, 0x000000);
  c.art(11, 4,
        {"..######..", ".###..###.", "###....###", "###....###", ".......###", "......###.", ".....###..", "....###...",
         "....###...", "....###...", "..........", "....###...", "....###..."},
        0x0000FF);
  return c.image;
}

// A small window: black frame, navy title bar, white inside.
Image applicationIcon() {
  Canvas c;
  c.fill([](double x, double y) { return x > 1 && x < 31 && y > 3 && y < 29; }, 0xFFFFFF, 0x000000);
  for (int y = 5; y < 10; ++y)
    for (int x = 3; x < 29; ++x) c.set(x, y, 0x000080);
  c.art(3, 10, {"##########################"}, 0x000000);
  return c.image;
}

}  // namespace

Image systemIconImage(uintptr_t id) {
  switch (id) {
    case 32512:                            // IDI_APPLICATION
    case 32517: return applicationIcon();  // IDI_WINLOGO
    case 32513: return errorIcon();        // IDI_HAND
    case 32514: return questionIcon();     // IDI_QUESTION
    case 32515: return warningIcon();      // IDI_EXCLAMATION
    case 32516: return informationIcon();  // IDI_ASTERISK
    default: return Image{};
  }
}

HICON systemIcon(uintptr_t id) {
  static std::map<uintptr_t, HICON> loaded;
  if (auto it = loaded.find(id); it != loaded.end()) return it->second;
  Image image = systemIconImage(id);
  if (image.pixels.empty()) return nullptr;
  return loaded[id] = registerIcon({std::move(image)});
}

}  // namespace win32
