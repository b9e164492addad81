// Dialogs from the keyboard: the Yes/No question answered with Alt and an access key gives the keyboard
// back to the editor; Space presses the focused push button of every dialog, the first time.
#include "tests/desktop/desktop_test.h"

namespace desktop {
namespace {

const std::string kQuestionTitle = "Oxbyte";

class DialogKeys : public DesktopTestOnBoth {
 protected:
  // Types 41 over the first byte (the cursor moves on to the second) and asks to undo all changes.
  Window editAndAskToUndo() {
    person().type("41");
    person().chord(XK_Control_L, XK_z);
    return waitForDialog(kQuestionTitle);
  }

  // Alt held around the access key answers the question; the bytes the editor then holds are `answered`.
  void answerWithAlt(KeySym accessKey, const Bytes &answered) {
    ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
    ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(64)));
    Window question = editAndAskToUndo();
    ASSERT_NE(question, None);
    person().chord(XK_Alt_L, accessKey);
    ASSERT_TRUE(waitUntilGone(question));
    expectTheEditorHasTheKeyboard(answered);
    closeAndExpectCleanExit();
  }

  // After the question, Down moves the cursor from the second byte to the one below it, and 42 lands
  // there; a key the menu bar took instead would open a drop-down and leave the file as it was.
  void expectTheEditorHasTheKeyboard(Bytes expected) {
    person().tap(XK_Down);
    person().type("42");
    EXPECT_FALSE(popupShowing()) << "a menu took the keys";
    expected[17] = 0x42;
    saveWithToolbarAndExpect(expected);
  }
};

TEST_P(DialogKeys, AfterAltYTheEditorHasTheKeyboard) { answerWithAlt(XK_y, sampleBytes(64)); }

TEST_P(DialogKeys, AfterAltNTheEditorHasTheKeyboard) {
  Bytes kept = sampleBytes(64);
  kept[0] = 0x41;
  answerWithAlt(XK_n, kept);
}

// The question opens with the keyboard on No: Space answers No, and the change is kept.
TEST_P(DialogKeys, SpaceOnTheQuestionsFocusedNoAnswersNo) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  Window question = editAndAskToUndo();
  ASSERT_NE(question, None);
  person().tap(XK_space);
  ASSERT_TRUE(waitUntilGone(question)) << "Space did not answer the question";
  Bytes kept = sampleBytes(32);
  kept[0] = 0x41;
  saveWithToolbarAndExpect(kept);
  closeAndExpectCleanExit();
}

// Each dialog opened, the keyboard moved to its Cancel (or only) button, and one Space closes it.
struct SpaceCase {
  const char *name;
  const char *title;
  KeySym ctrlKey;  // opens the dialog with Ctrl; 0: the toolbar's About button
  int tabs;        // from the first focus to the button
};

void PrintTo(const SpaceCase &dialog, std::ostream *out) { *out << dialog.name; }

class SpaceOnAButton : public DesktopTest, public ::testing::WithParamInterface<std::tuple<WindowManager, SpaceCase>> {};

TEST_P(SpaceOnAButton, ClosesTheDialogTheFirstTime) {
  auto [manager, dialog] = GetParam();
  ASSERT_NO_FATAL_FAILURE(startDesktop(manager));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  if (dialog.ctrlKey)
    person().chord(XK_Control_L, dialog.ctrlKey);
  else
    clickAt(toolbarButton(ToolbarButton::About));
  Window shown = waitForDialog(dialog.title);
  ASSERT_NE(shown, None);
  ASSERT_TRUE(waitUntil([&] { return hasKeyboard(shown); }));
  for (int i = 0; i < dialog.tabs; ++i) person().tap(XK_Tab);
  person().tap(XK_space);
  EXPECT_TRUE(waitUntilGone(shown)) << "Space did not press the button";
  closeAndExpectCleanExit();
}

// Find and Go to open with the keyboard in their text, two Tabs before Cancel.
INSTANTIATE_TEST_SUITE_P(, SpaceOnAButton,
                         ::testing::Combine(::testing::Values(WindowManager::Absent, WindowManager::Openbox),
                                            ::testing::Values(SpaceCase{"About", "关于 Oxbyte", 0, 0},
                                                              SpaceCase{"Find", "查找", XK_f, 2},
                                                              SpaceCase{"GoTo", "跳转", XK_g, 2})),
                         [](const auto &info) {
                           return windowManagerName({std::get<0>(info.param), info.index}) +
                                  std::get<1>(info.param).name;
                         });

OXBYTE_ON_BOTH_DESKTOPS(DialogKeys);

}  // namespace
}  // namespace desktop
