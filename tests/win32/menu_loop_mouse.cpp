// The menu loop driven by the mouse, with clicks and moves as the user makes them.
#include <gtest/gtest.h>

#include "support/wine.h"
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
  // Wine sends a pointer move through the X server, so the loop may go idle before it arrives, and two
  // moves made at consecutive idle moments can then reach the loop as one. Until the steps wait for the
  // move they made, this runs on the stand-in only.
  if (runningUnderWine()) GTEST_SKIP() << "pointer moves race the menu loop's idle moments under Wine";
  MenuFrame frame;
  step(frame, [&] { frame.mouse(Mouse::Release, frame.barItemCentre(kFile)); });
  step(frame, [&] { frame.mouse(Mouse::Move, frame.popupItemCentre(kFile, kSeparator)); });
  step(frame, [&] { frame.mouse(Mouse::Move, frame.barItemCentre(kSearch)); });
  step(frame, [&] { frame.mouse(Mouse::Move, frame.popupItemCentre(kSearch, kFindNext)); });
  step(frame, [&] { frame.typeKey(VK_ESCAPE); });
  step(frame, [&] { frame.typeKey(VK_ESCAPE); });
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
