// The menu loop driven by the mouse, with clicks and moves as the user makes them.
#include <gtest/gtest.h>

#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;
using Trace = std::vector<std::string>;
using platform::Mouse;

constexpr int kFile = 0, kSearch = 2;
constexpr int kOpen = 0, kSave = 1, kSeparator = 2, kExit = 3;
constexpr int kFindNext = 1;

// Presses the button on a bar item; the loop starts as the program's loop dispatches the press. The
// pointer is brought there first and left to settle, so that no move the desktop reports late carries
// it back to where an earlier test left it while the loop runs.
void pressBarItem(MenuFrame &frame, int item) {
  screen::pointer(screen::Pointer::Move, frame.barItemCentre(item));
  frame.mouse(Mouse::Press, frame.barItemCentre(item));
  menu_test::pump();
}

void step(MenuFrame &frame, std::function<void()> action) { frame.script.push_back(std::move(action)); }

// Steps in which the pointer moves: the step after a move waits, one idle moment after another, until
// the loop has answered the move (its trace grew). Under Wine a move reaches the loop through the X
// server, after the loop may already have gone idle again, and without the wait two moves can reach it as
// one. Wine also now and then loses a move made as the loop goes idle: the pointer is where it was sent,
// but the loop never hears of it. A move unanswered after about 100 ms is made again, a pixel aside,
// inside the same item; after about a second the steps go on, and the trace tells what went missing.
class StepsWithMoves {
 public:
  explicit StepsWithMoves(MenuFrame &frame) : frame_(frame) {}
  void add(std::function<void()> action) {
    frame_.script.push_back([this, action = std::move(action)] { runOnceAnswered(action); });
  }
  void move(std::function<POINT()> to) {
    add([this, to = std::move(to)] {
      target_ = to();
      traceBeforeMove_ = frame_.trace().size();
      awaitingAnswer_ = true;
      polls_ = 0;
      frame_.mouse(Mouse::Move, target_);
    });
  }

 private:
  void runOnceAnswered(const std::function<void()> &action) {
    if (awaitingAnswer_ && frame_.trace().size() <= traceBeforeMove_ && polls_ < 200) {
      frame_.script.push_front([this, action] { runOnceAnswered(action); });
      Sleep(5);
      if (++polls_ % 20 == 0) frame_.mouse(Mouse::Move, POINT{target_.x + (polls_ / 20) % 2, target_.y});
      // Something for the loop to handle, so that it goes idle again.
      PostMessageA(frame_.hwnd, WM_NULL, 0, 0);
      return;
    }
    awaitingAnswer_ = false;
    action();
  }

  MenuFrame &frame_;
  POINT target_{};
  size_t traceBeforeMove_ = 0;
  bool awaitingAnswer_ = false;
  int polls_ = 0;
};

TEST(MenuLoopMouse, ClickOpensTheDropDownUnderItsItemAndAClickChooses) {
  MenuFrame frame;
  RECT fileRect{}, popupRect{};
  GetMenuItemRect(frame.hwnd, frame.menu, kFile, &fileRect);
  char className[16] = {};
  step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
  step(frame, [&] {
    GetWindowRect(frame.idlePopup, &popupRect);
    GetClassNameA(frame.idlePopup, className, sizeof className);
    frame.mouse(Mouse::Move, frame.popupItemCentre(kFile, kExit));
  });
  step(frame, [&] { frame.click(frame.popupItemCentre(kFile, kExit)); });
  pressBarItem(frame, kFile);
  EXPECT_STREQ(className, "#32768");
  EXPECT_EQ(popupRect.left, fileRect.left);
  EXPECT_EQ(popupRect.top, fileRect.bottom);
  // Opened by the mouse, the drop-down starts with nothing selected.
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar", "INITMENUPOPUP file 0",
                                  "MENUSELECT 9c41 80 file", "UNINITMENUPOPUP file", "MENUSELECT 0 ffff 0",
                                  "EXITMENULOOP 0", "COMMAND 9c41 0"}));
  EXPECT_FALSE(IsWindow(frame.idlePopup));
}

TEST(MenuLoopMouse, PressOnTheBarDragAndReleaseOnAnItem) {
  MenuFrame frame;
  step(frame, [&] { frame.mouse(Mouse::Move, frame.popupItemCentre(kFile, kOpen)); });
  step(frame, [&] { frame.mouse(Mouse::Release, frame.popupItemCentre(kFile, kOpen)); });
  pressBarItem(frame, kFile);
  EXPECT_EQ(frame.commands(), std::vector<WPARAM>{IDM_OPEN});
}

TEST(MenuLoopMouse, GreyedItemsAndSeparatorsIgnoreClicks) {
  for (int item : {kSave, kSeparator}) {
    SCOPED_TRACE(item);
    MenuFrame frame;
    step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
    step(frame, [&] { frame.click(frame.popupItemCentre(kFile, item)); });
    step(frame, [&] { frame.typeKey(VK_ESCAPE); });
    step(frame, [&] { frame.typeKey(VK_ESCAPE); });
    pressBarItem(frame, kFile);
    // The menu was still open for both Escapes.
    EXPECT_TRUE(frame.script.empty());
    EXPECT_EQ(frame.exhausted, 0);
    EXPECT_TRUE(frame.commands().empty());
  }
}

TEST(MenuLoopMouse, HoveringSelectsAndMovingAlongTheBarSwitchesDropDowns) {
  MenuFrame frame;
  StepsWithMoves steps(frame);
  steps.add([&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
  steps.move([&] { return frame.popupItemCentre(kFile, kSeparator); });
  steps.move([&] { return frame.barItemCentre(kSearch); });
  steps.move([&] { return frame.popupItemCentre(kSearch, kFindNext); });
  steps.add([&] { frame.typeKey(VK_ESCAPE); });
  steps.add([&] { frame.typeKey(VK_ESCAPE); });
  pressBarItem(frame, kFile);
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar", "INITMENUPOPUP file 0",
                                  "MENUSELECT 0 803 file", "UNINITMENUPOPUP file", "MENUSELECT 2 90 bar",
                                  "INITMENUPOPUP search 2", "MENUSELECT 9c49 81 search", "UNINITMENUPOPUP search",
                                  "MENUSELECT 0 ffff 0", "EXITMENULOOP 0"}));
}

TEST(MenuLoopMouse, ClickElsewhereClosesTheMenuAndStillReachesItsWindow) {
  MenuFrame frame;
  RECT client;
  GetClientRect(frame.hwnd, &client);
  POINT inClient{client.right - 20, client.bottom - 20};
  ClientToScreen(frame.hwnd, &inClient);
  step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
  step(frame, [&] { frame.click(inClient); });
  pressBarItem(frame, kFile);
  EXPECT_EQ(frame.count(WM_EXITMENULOOP), 1);
  EXPECT_EQ(frame.count(WM_LBUTTONDOWN), 1);
  EXPECT_TRUE(frame.commands().empty());
}

TEST(MenuLoopMouse, SecondClickOnTheOpenItemClosesTheMenu) {
  MenuFrame frame;
  step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
  step(frame, [&] { frame.click(frame.barItemCentre(kFile)); });
  pressBarItem(frame, kFile);
  EXPECT_EQ(frame.exhausted, 0);
  EXPECT_EQ(frame.count(WM_ENTERMENULOOP), 1);
  EXPECT_EQ(frame.count(WM_EXITMENULOOP), 1);
  EXPECT_TRUE(frame.commands().empty());
}

TEST(MenuLoopMouse, KeyboardTakesOverAMouseOpenedDropDown) {
  MenuFrame frame;
  step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
  step(frame, [&] { frame.typeKey(VK_UP); });
  step(frame, [&] { frame.typeKey(VK_RETURN); });
  pressBarItem(frame, kFile);
  EXPECT_EQ(frame.commands(), std::vector<WPARAM>{IDM_EXIT});
}

TEST(MenuLoopMouse, GreyedBarItemIsSelectedButNeverOpens) {
  MenuFrame frame;
  EnableMenuItem(frame.menu, kSearch, MF_BYPOSITION | MF_GRAYED);
  step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kSearch)); });
  step(frame, [&] { frame.typeKey(VK_RETURN); });
  step(frame, [&] { frame.typeKey(VK_ESCAPE); });
  pressBarItem(frame, kSearch);
  EXPECT_EQ(frame.count(WM_INITMENUPOPUP), 0);
  EXPECT_EQ(frame.trace()[2], "MENUSELECT 2 91 bar");
  EXPECT_EQ(frame.exhausted, 0);
}

// The bar's whole row answers HTMENU, so a press beside its items starts the menu loop, which finds
// no item there and ends at once.
TEST(MenuLoopMouse, PressBesideTheItemsOpensNothing) {
  MenuFrame frame;
  RECT last{};
  GetMenuItemRect(frame.hwnd, frame.menu, 3, &last);
  const POINT beside{last.right + 40, last.top + 5};
  screen::pointer(screen::Pointer::Move, beside);
  frame.click(beside);
  menu_test::pump();
  EXPECT_EQ(frame.count(WM_NCLBUTTONDOWN), 1);
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 ffff 0", "EXITMENULOOP 0"}));
  EXPECT_EQ(frame.exhausted, 0);
}

}  // namespace
