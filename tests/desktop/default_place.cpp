// Frames cascade across programs, as on Windows, where the desktop counts the windows it gives the default
// place rather than each program: a second program's frame opens a step down and right of the first's.
#include "tests/desktop/desktop_test.h"

namespace desktop {
namespace {

// A caption button and a sizing border of the stand-in's metrics (SM_CXSIZE + SM_CXFRAME).
constexpr int kStep = 18 + 4;

using DefaultPlace = DesktopTestOnBoth;

TEST_P(DefaultPlace, EachProgramsFrameOpensAStepFromTheLast) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launch());
  ChildProcess first = std::move(program_);
  std::optional<Rect> firstFrame = geometry(x(), frame_);
  ASSERT_NO_FATAL_FAILURE(launch());
  std::optional<Rect> secondFrame = geometry(x(), frame_);
  ASSERT_TRUE(firstFrame && secondFrame);
  // With nobody to decorate them, the frames are exactly where the stand-in put them: the first program on
  // the display takes the screen's corner.
  if (!withWindowManager()) {
    EXPECT_EQ(firstFrame->x, 0);
    EXPECT_EQ(firstFrame->y, 0);
  }
  EXPECT_EQ(secondFrame->x - firstFrame->x, kStep);
  EXPECT_EQ(secondFrame->y - firstFrame->y, kStep);
  closeAndExpectCleanExit();
}

OXBYTE_ON_BOTH_DESKTOPS(DefaultPlace);

}  // namespace
}  // namespace desktop
