// The mouse: a click on an inactive frame both activates it and does what it does on an active one, and
// a click on a toolbar button the pointer already rests on works.
#include "tests/desktop/desktop_test.h"

namespace desktop {
namespace {

// A plain window of the test's own, in the screen's bottom-right corner, clear of the frame; shown, it
// takes the keyboard, as another program's window would.
class OtherWindow {
 public:
  explicit OtherWindow(Display *x) : x_(x) {
    window_ = XCreateSimpleWindow(x, DefaultRootWindow(x), 900, 700, 300, 200, 0, 0, 0xFFFFFF);
    XStoreName(x, window_, "another program");
    XMapRaised(x, window_);
    XSync(x, False);
  }
  ~OtherWindow() {
    XDestroyWindow(x_, window_);
    XSync(x_, False);
  }
  bool takeKeyboard() {
    if (!waitUntil([&] { return isViewable(x_, window_); })) return false;
    XSetInputFocus(x_, window_, RevertToParent, CurrentTime);
    XSync(x_, False);
    Window focus;
    int revert;
    XGetInputFocus(x_, &focus, &revert);
    return focus == window_;
  }

 private:
  Display *x_;
  Window window_;
};

using Mouse = DesktopTestOnBoth;

TEST_P(Mouse, FirstClickOnAnInactiveFrameMovesTheCursor) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(64)));
  OtherWindow other(x());
  ASSERT_TRUE(other.takeKeyboard());
  clickAt(hexDigit(2, 5));
  ASSERT_TRUE(waitUntil([&] { return hasKeyboard(frame_); })) << "the click did not activate the frame";
  person().type("41");
  Bytes expected = sampleBytes(64);
  expected[2 * 16 + 5] = 0x41;
  saveWithToolbarAndExpect(expected);
  closeAndExpectCleanExit();
}

// The pointer rests on Open long enough for its tooltip, and stays there while another window takes
// the keyboard; a click without moving is the button's all the same.
TEST_P(Mouse, ClickOnTheToolbarButtonThePointerRestsOn) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launch());
  restPointerOn(toolbarButton(ToolbarButton::Open));
  ASSERT_TRUE(waitUntil([&] { return popupShowing(); })) << "no tooltip showed";
  OtherWindow other(x());
  ASSERT_TRUE(other.takeKeyboard());
  clickAt(toolbarButton(ToolbarButton::Open));
  Window open = waitForDialog("");
  ASSERT_NE(open, None) << "the Open dialog did not show";
  person().tap(XK_Escape);
  ASSERT_TRUE(waitUntilGone(open));
  closeAndExpectCleanExit();
}

OXBYTE_ON_BOTH_DESKTOPS(Mouse);

}  // namespace
}  // namespace desktop
