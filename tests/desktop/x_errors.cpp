// No X error ends or disturbs the program: not its own windows coming and going many times over, and
// not a window of its destroyed behind its back by another client.
#include "tests/desktop/desktop_test.h"

namespace desktop {
namespace {

using XErrors = DesktopTestOnBoth;

TEST_P(XErrors, OpeningAndCancellingTheOpenDialogManyTimes) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launch());
  for (int round = 1; round <= 40; ++round) {
    clickAt(toolbarButton(ToolbarButton::Open));
    Window open = waitForDialog("");
    ASSERT_NE(open, None) << "the Open dialog did not show in round " << round;
    person().tap(XK_Escape);
    ASSERT_TRUE(waitUntilGone(open)) << "the Open dialog did not close in round " << round;
    ASSERT_TRUE(program_.running()) << "the program ended in round " << round << ":\n" << terminalOutput();
  }
  closeAndExpectCleanExit();
}

// Each way of ending: File → Exit on the toolbar, and the window manager's close.
TEST_P(XErrors, ClosingManyTimesEndsCleanlyEachTime) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  for (int round = 1; round <= 6; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
    if (round % 2)
      clickAt(toolbarButton(ToolbarButton::Exit));
    else
      askToClose(frame_);
    auto status = program_.waitForExit(10s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    ASSERT_EQ(*status, 0) << terminalOutput();
  }
}

// The tooltip's X window is made once and shown again for each button; here another client destroys
// it while it is hidden, and the pointer rests on a button again.
TEST_P(XErrors, TheTooltipsWindowDestroyedBehindItsBack) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launch());
  restPointerOn(toolbarButton(ToolbarButton::Open));
  Window tooltip = None;
  ASSERT_TRUE(waitUntil([&] {
    for (Window w : shownWindows())
      if (isOverrideRedirect(x(), w)) tooltip = w;
    return tooltip != None;
  })) << "no tooltip showed";
  restPointerOn(besideTheBytes(10));
  ASSERT_TRUE(waitUntilGone(tooltip));
  XDestroyWindow(x(), tooltip);
  XSync(x(), False);
  restPointerOn(toolbarButton(ToolbarButton::Open));
  waitUntil([&] { return popupShowing() || !program_.running(); });
  EXPECT_TRUE(holdsFor([&] { return program_.running(); }, 500ms)) << "the program ended:\n" << terminalOutput();
  restPointerOn(besideTheBytes(10));
  closeAndExpectCleanExit();
}

OXBYTE_ON_BOTH_DESKTOPS(XErrors);

}  // namespace
}  // namespace desktop
