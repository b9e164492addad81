// The desktop's scale: a whole factor from its DPI, and pixels enlarged into sharp blocks.
#include <gtest/gtest.h>

#include "backend/sdl/scale.h"

namespace {

TEST(Scale, AWholeFactorFromTheDesktopsDpi) {
  struct Case {
    float dpi;
    int scale;
  } cases[] = {{72, 1}, {96, 1}, {144, 1}, {163, 1}, {168, 2}, {192, 2}, {288, 3}, {2000, 8}};
  for (const Case &c : cases) EXPECT_EQ(win32::backend::scaleForDpi(c.dpi), c.scale) << c.dpi;
}

TEST(Scale, OnlyTheChangedRectangleIsEnlargedIntoBlocks) {
  const uint32_t pixels[] = {1, 2, 3,  //
                             4, 5, 6};
  std::vector<uint32_t> out(3 * 2 * 2 * 2, 0);
  const uint32_t *scaled = win32::backend::scaleUp(pixels, 3, 2, 1, 0, 3, 2, 2, out);
  const std::vector<uint32_t> expected = {0, 0, 2, 2, 3, 3,  //
                                          0, 0, 2, 2, 3, 3,  //
                                          0, 0, 5, 5, 6, 6,  //
                                          0, 0, 5, 5, 6, 6};
  EXPECT_EQ(std::vector<uint32_t>(scaled, scaled + expected.size()), expected);
}

}  // namespace
