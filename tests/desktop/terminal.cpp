// The terminal the program was started from stays quiet: a beep with no sound device says nothing there.
// (Every desktop test also checks the whole session's output when it ends.)
#include "tests/desktop/desktop_test.h"

namespace desktop {
namespace {

using Terminal = DesktopTestOnBoth;

TEST_P(Terminal, ABeepWithoutASoundDeviceSaysNothing) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  person().chord(XK_Control_L, XK_g);
  Window goTo = waitForDialog("跳转");
  ASSERT_NE(goTo, None);
  person().type("zz");
  person().tap(XK_Return);  // not an offset: a beep
  if (isViewable(x(), goTo)) person().tap(XK_Escape);
  ASSERT_TRUE(waitUntilGone(goTo));
  closeAndExpectCleanExit();
  EXPECT_EQ(terminalOutput(), "");
}

OXBYTE_ON_BOTH_DESKTOPS(Terminal);

}  // namespace
}  // namespace desktop
