// The menu bar from the keyboard, typed as a person types: Alt held around a menu's access key, then
// the item's own key; and the same keys typed ahead of the program.
#include "tests/desktop/desktop_test.h"

namespace desktop {
namespace {

using MenuKeys = DesktopTestOnBoth;

const std::string kAboutTitle = "关于 Oxbyte";

// Escape closes the drop-down, a second Escape leaves the menu bar.
void leaveTheMenu(Typist &person) {
  person.tap(XK_Escape);
  person.tap(XK_Escape);
}

TEST_P(MenuKeys, AltAndATitlesAccessKeyOpensItsDropDownAndLeavesItOpen) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(64)));
  for (KeySym accessKey : {XK_f, XK_e, XK_s, XK_h}) {
    SCOPED_TRACE("Alt+" + std::string(XKeysymToString(accessKey)));
    person().chord(XK_Alt_L, accessKey);
    if (!waitUntil([&] { return popupShowing(); }, 3s))
      ADD_FAILURE() << "no drop-down showed";
    else
      EXPECT_TRUE(holdsFor([&] { return popupShowing(); }, 500ms)) << "the drop-down did not stay open";
    leaveTheMenu(person());
    ASSERT_TRUE(waitUntil([&] { return !popupShowing(); }));
  }
  closeAndExpectCleanExit();
}

TEST_P(MenuKeys, AltFThenSSavesTheFile) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  person().type("41");
  person().chord(XK_Alt_L, XK_f);
  person().tap(XK_s);
  Bytes expected = sampleBytes(32);
  expected[0] = 0x41;
  EXPECT_TRUE(waitUntil([&] { return fileBytes(file_) == expected; }, 3s)) << "the file was not saved";
  closeAndExpectCleanExit();
}

// A tooltip is a window of its own on the desktop; while it shows, the keyboard stays the frame's.
TEST_P(MenuKeys, AltFThenSSavesTheFileWhileATooltipShows) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  person().type("41");
  restPointerOn(toolbarButton(ToolbarButton::Open));
  ASSERT_TRUE(waitUntil([&] { return popupShowing(); })) << "no tooltip showed";
  person().chord(XK_Alt_L, XK_f);
  person().tap(XK_s);
  Bytes expected = sampleBytes(32);
  expected[0] = 0x41;
  EXPECT_TRUE(waitUntil([&] { return fileBytes(file_) == expected; }, 3s)) << "the file was not saved";
  restPointerOn(besideTheBytes(10));
  closeAndExpectCleanExit();
}

// Keys typed faster than the program opens its menu are kept, in order: Alt+H opens Help, Return
// chooses its one item. Lost type-ahead is a race that a round loses rarely, so there are many rounds,
// with Return 0 to 8 ms after Alt+H.
TEST_P(MenuKeys, AltHThenReturnTypedAtOnceOpensAboutEveryTime) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launch());
  for (int round = 1; round <= 40; ++round) {
    person().burst({{XK_Alt_L, true}, {XK_h, true}, {XK_h, false}, {XK_Alt_L, false}}, 0ms, 0ms);
    pause(Millis(round % 5 * 2));
    person().burst({{XK_Return, true}, {XK_Return, false}});
    Window about = waitForDialog(kAboutTitle, 3s);
    ASSERT_NE(about, None) << "About did not open in round " << round;
    person().tap(XK_Return);
    ASSERT_TRUE(waitUntilGone(about)) << "About did not close in round " << round;
  }
  closeAndExpectCleanExit();
}

OXBYTE_ON_BOTH_DESKTOPS(MenuKeys);

}  // namespace
}  // namespace desktop
