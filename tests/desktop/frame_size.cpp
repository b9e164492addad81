// The frame's size on a real desktop: snapped back to its columns and whole rows however small it is
// made from outside, and doubled with sharp pixels on a HiDPI desktop.
#include <X11/Xatom.h>

#include <cstring>

#include "tests/desktop/desktop_test.h"
#include "tests/desktop/screenshot.h"
#include "tests/desktop/wm_requests.h"

namespace desktop {
namespace {

struct TinySize {
  const char *name;
  int width, height;  // 0: the frame's own
};

class TinyFrame : public DesktopTest, public ::testing::WithParamInterface<std::tuple<WindowManager, TinySize>> {
 protected:
  void resizeFromOutside(int width, int height) {
    if (withWindowManager()) {
      askToResize(x(), frame_, width, height);
    } else {
      XResizeWindow(x(), frame_, unsigned(width), unsigned(height));
      XSync(x(), False);
    }
  }
};

void PrintTo(const TinySize &size, std::ostream *out) { *out << size.name; }

TEST_P(TinyFrame, SnapsBackToItsColumnsAndWholeRows) {
  auto [manager, size] = GetParam();
  ASSERT_NO_FATAL_FAILURE(startDesktop(manager));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(64)));
  Rect start = *geometry(x(), frame_);
  int besideTheRows = start.height - kRowsAtStart * kRowHeight;  // menu bar, toolbar, status bar, lines
  resizeFromOutside(size.width ? size.width : start.width, size.height ? size.height : start.height);
  waitUntil([&] { return geometry(x(), frame_) != start; }, 2s);  // the manager may refuse outright
  auto snapped = [&] {
    Rect now = geometry(x(), frame_).value_or(Rect{});
    int rows = now.height - besideTheRows;
    return now.width == kFrameWidth && rows >= kRowHeight && rows % kRowHeight == 0;
  };
  EXPECT_TRUE(waitUntil(snapped) && holdsFor(snapped, 300ms))
      << "the frame is " << geometry(x(), frame_)->width << " × " << geometry(x(), frame_)->height
      << "; its rows need " << besideTheRows << " pixels + a multiple of " << kRowHeight;
  closeAndExpectCleanExit();
}

INSTANTIATE_TEST_SUITE_P(, TinyFrame,
                         ::testing::Combine(::testing::Values(WindowManager::Absent, WindowManager::Openbox),
                                            ::testing::Values(TinySize{"Narrow", 200, 0}, TinySize{"Low", 0, 10},
                                                              TinySize{"OnePixel", 1, 1})),
                         [](const auto &info) {
                           return windowManagerName({std::get<0>(info.param), info.index}) +
                                  std::get<1>(info.param).name;
                         });

// What a desktop set to 192 DPI publishes for its programs.
void setXftDpi(Display *x, const char *resources) {
  XChangeProperty(x, DefaultRootWindow(x), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char *>(resources), int(std::strlen(resources)));
  XSync(x, False);
}

// The first place where a 2 × 2 block of the picture is not of one colour; nullopt when all are.
std::optional<Point> firstBlurredBlock(const Screenshot &shot) {
  for (int y = 0; y + 1 < shot.height; y += 2)
    for (int x = 0; x + 1 < shot.width; x += 2) {
      uint32_t c = shot.at(x, y);
      if (shot.at(x + 1, y) != c || shot.at(x, y + 1) != c || shot.at(x + 1, y + 1) != c) return Point{x, y};
    }
  return std::nullopt;
}

class HiDpi : public DesktopTest, public ::testing::WithParamInterface<bool> {};

TEST_P(HiDpi, DoublesTheFrameWithSharpPixelsAndClicksLandWhereDrawn) {
  bool fromXft = GetParam();
  ASSERT_NO_FATAL_FAILURE(startDesktop(WindowManager::Absent));
  if (fromXft) setXftDpi(x(), "Xft.dpi:\t192\n");
  scale_ = 2;
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(64), "sample.bin",
                                   fromXft ? EnvironmentChanges{} : EnvironmentChanges{{"OXBYTE_SCALE", "2"}}));
  Rect frame = *geometry(x(), frame_);
  ASSERT_EQ(frame.width, 2 * kFrameWidth);
  auto blurred = firstBlurredBlock(capture(x(), frame));
  EXPECT_FALSE(blurred) << "the 2 × 2 block at " << blurred->x << ", " << blurred->y << " is not of one colour";
  clickAt(hexDigit(1, 3));
  person().type("41");
  Bytes expected = sampleBytes(64);
  expected[16 + 3] = 0x41;
  saveWithToolbarAndExpect(expected);
  closeAndExpectCleanExit();
}

INSTANTIATE_TEST_SUITE_P(, HiDpi, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "XftDpi192" : "OxbyteScale2"; });

}  // namespace
}  // namespace desktop
