// What the window manager is told: dialogs belong to the frame, and each window offers only what its
// Win32 styles allow; what the manager forces anyway is still drawn in full.
#include <algorithm>

#include "tests/desktop/desktop_test.h"
#include "tests/desktop/screenshot.h"
#include "tests/desktop/wm_requests.h"

namespace desktop {
namespace {

bool has(const std::vector<std::string> &names, const std::string &name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

struct DialogCase {
  const char *title;
  KeySym ctrlKey;  // with Ctrl, opens it
};
const DialogCase kDialogs[] = {{"查找", XK_f}, {"跳转", XK_g}};

using Dialogs = DesktopTestOnBoth;

TEST_P(Dialogs, AreTransientForTheFrameAndTypedAsDialogs) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  EXPECT_EQ(transientFor(x(), frame_), None);  // the frame belongs to nothing
  for (const DialogCase &dialog : kDialogs) {
    SCOPED_TRACE(dialog.title);
    person().chord(XK_Control_L, dialog.ctrlKey);
    Window shown = waitForDialog(dialog.title);
    ASSERT_NE(shown, None);
    EXPECT_EQ(transientFor(x(), shown), frame_);
    EXPECT_TRUE(has(atomNames(x(), shown, "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_DIALOG"));
    person().tap(XK_Escape);
    ASSERT_TRUE(waitUntilGone(shown));
  }
  closeAndExpectCleanExit();
}

OXBYTE_ON_BOTH_DESKTOPS(Dialogs);

class UnderOpenbox : public DesktopTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(startDesktop(WindowManager::Openbox)); }
  std::vector<std::string> allowed(Window window) { return atomNames(x(), window, "_NET_WM_ALLOWED_ACTIONS"); }
};

// _MOTIF_WM_HINTS, whose functions and buttons most window managers offer. Openbox keeps its own minimize
// and maximize whatever they say: there a frame maximised anyway is painted in full, and a dialog
// iconified takes its frame along (both below).
constexpr unsigned long kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32;
constexpr unsigned long kMinimizeButton = 32, kMaximizeButton = 64;

struct MotifHints {
  unsigned long functions = 0, decorations = 0;
};

MotifHints motifHints(Display *x, Window window) {
  auto hints = windowProperty(x, window, "_MOTIF_WM_HINTS");
  if (hints.size() < 3) return {};
  return {hints[0] & 1 ? hints[1] : ~0ul, hints[0] & 2 ? hints[2] : ~0ul};
}

TEST_F(UnderOpenbox, TheFrameMinimizesResizesAndClosesButDoesNotMaximize) {
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  MotifHints hints = motifHints(x(), frame_);
  EXPECT_EQ(hints.functions, kResize | kMove | kMinimize | kClose);
  EXPECT_FALSE(hints.functions & kMaximize);
  EXPECT_TRUE(hints.decorations & kMinimizeButton);
  EXPECT_FALSE(hints.decorations & kMaximizeButton);
  auto actions = allowed(frame_);
  for (const char *action : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_CLOSE"})
    EXPECT_TRUE(has(actions, action)) << action;
  closeAndExpectCleanExit();
}

TEST_F(UnderOpenbox, DialogsOnlyMoveAndClose) {
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  for (const DialogCase &dialog : kDialogs) {
    SCOPED_TRACE(dialog.title);
    person().chord(XK_Control_L, dialog.ctrlKey);
    Window shown = waitForDialog(dialog.title);
    ASSERT_NE(shown, None);
    MotifHints hints = motifHints(x(), shown);
    EXPECT_EQ(hints.functions, kMove | kClose);
    EXPECT_FALSE(hints.decorations & (kMinimizeButton | kMaximizeButton));
    auto actions = allowed(shown);
    for (const char *action : {"_NET_WM_ACTION_MOVE", "_NET_WM_ACTION_CLOSE"}) EXPECT_TRUE(has(actions, action)) << action;
    for (const char *action : {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"})
      EXPECT_FALSE(has(actions, action)) << action;
    person().tap(XK_Escape);
    ASSERT_TRUE(waitUntilGone(shown));
  }
  closeAndExpectCleanExit();
}

// A taskbar can iconify a dialog directly. The manager may refuse, or hide the frame with it; a hidden
// dialog in front of a frame that shows but cannot be used is the one wrong answer.
TEST_F(UnderOpenbox, IconifyingADialogTakesTheFrameAlongOrIsRefused) {
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  person().chord(XK_Control_L, XK_g);
  Window dialog = waitForDialog("跳转");
  ASSERT_NE(dialog, None);
  askToIconify(x(), dialog);
  if (waitUntil([&] { return !isViewable(x(), dialog); }, 2s)) {
    EXPECT_TRUE(waitUntil([&] { return !isViewable(x(), frame_); }, 3s)) << "the frame stayed without its dialog";
    askToActivate(x(), frame_);
  }
  ASSERT_TRUE(waitUntil([&] { return isViewable(x(), dialog) && hasKeyboard(dialog); })) << "the dialog did not come back";
  person().tap(XK_Escape);
  EXPECT_TRUE(waitUntilGone(dialog)) << "the dialog did not answer Escape";
  closeAndExpectCleanExit();
}

// The part of the frame right of its own width, where the program may not have drawn, as a share of
// pixels left black (the colour of an X window nobody draws on).
double unpaintedShareBeyondTheColumns(const Screenshot &frame) {
  int black = 0, all = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = kFrameWidth; x < frame.width; ++x, ++all) black += frame.at(x, y) == rgb(0, 0, 0);
  return all ? double(black) / all : 0.0;
}

TEST_F(UnderOpenbox, AFrameMaximizedAnywayIsPaintedAllOver) {
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(32)));
  askToMaximize(x(), frame_);
  if (waitUntil([&] { return geometry(x(), frame_)->width > kFrameWidth; }, 2s)) {
    EXPECT_TRUE(waitUntil([&] { return unpaintedShareBeyondTheColumns(capture(x(), *geometry(x(), frame_))) < 0.25; }))
        << "the frame was left unpainted right of " << kFrameWidth << " pixels";
  }
  closeAndExpectCleanExit();
}

}  // namespace
}  // namespace desktop
