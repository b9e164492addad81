// The menu loop driven by the keyboard: entering it, moving through the program's menu, choosing,
// leaving, and the messages the owner gets on the way.
#include <gtest/gtest.h>

#include "support/wine.h"
#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;
using Trace = std::vector<std::string>;

constexpr char kKeyUp = 1, kKeyDown = 2, kKeyLeft = 3, kKeyRight = 4, kEnter = 5, kEscape = 6;

// One scripted step per character: the arrows, Enter and Escape as keys, anything else typed.
void script(MenuFrame &frame, const std::string &keys) {
  for (char key : keys) {
    frame.script.push_back([&frame, key] {
      switch (key) {
        case kKeyUp: frame.postKey(VK_UP); break;
        case kKeyDown: frame.postKey(VK_DOWN); break;
        case kKeyLeft: frame.postKey(VK_LEFT); break;
        case kKeyRight: frame.postKey(VK_RIGHT); break;
        case kEnter: frame.postKey(VK_RETURN); break;
        case kEscape: frame.postKey(VK_ESCAPE); break;
        default: PostMessageA(frame.hwnd, WM_CHAR, WPARAM(key), 1); break;
      }
    });
  }
}

TEST(MenuLoop, AltFThenEnterChoosesOpenAfterTheLoopEnds) {
  MenuFrame frame;
  script(frame, {kEnter});
  frame.keyMenu('f');
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar", "INITMENUPOPUP file 0",
                                  "MENUSELECT 9c47 80 file", "UNINITMENUPOPUP file", "MENUSELECT 0 ffff 0",
                                  "EXITMENULOOP 0", "COMMAND 9c47 0"}));
  EXPECT_EQ(frame.exhausted, 0);
}

TEST(MenuLoop, KeyboardNavigationThroughTheProgramMenu) {
  struct Case {
    const char *what;
    char entry;  // the access key that opens the loop (0: a tap of Alt)
    std::string keys;
    UINT command;  // 0: the loop ends without a command
  };
  const Case cases[] = {
      {"Down lands on greyed Save, which Enter never executes", 'f', {kKeyDown, kEnter}, 0},
      {"Down twice skips the separator", 'f', {kKeyDown, kKeyDown, kEnter}, IDM_EXIT},
      {"Up from the first item wraps to the last", 'f', {kKeyUp, kEnter}, IDM_EXIT},
      {"Down past the last item wraps to the first", 'f', {kKeyDown, kKeyDown, kKeyDown, kEnter}, IDM_OPEN},
      {"a letter chooses its item", 'f', "x", IDM_EXIT},
      {"upper case letters count too", 'f', "O", IDM_OPEN},
      {"a greyed item's letter closes the menu without a command", 'f', "s", 0},
      {"Escape twice leaves", 'f', {kEscape, kEscape}, 0},
      {"Escape closes the drop-down and Down opens it again", 'f', {kEscape, kKeyDown, kEnter}, IDM_OPEN},
      {"Right opens the next drop-down", 'f', {kKeyRight, kEnter}, 0},
      {"Left goes to the system menu, and Left again round to Help", 'f', {kKeyLeft, kKeyLeft, kEnter}, IDM_ABOUT},
      {"Right three times reaches Help", 'f', {kKeyRight, kKeyRight, kKeyRight, kEnter}, IDM_ABOUT},
      {"Right from Help goes to the system menu, and Right again to File", 'h', {kKeyRight, kKeyRight, kEnter},
       IDM_OPEN},
      {"Alt+H opens Help", 'h', {kEnter}, IDM_ABOUT},
      {"a tap of Alt, then Enter opens File", 0, {kEnter, kEnter}, IDM_OPEN},
      {"a tap of Alt, Right and Down opens Edit", 0, {kKeyRight, kKeyDown, kEnter}, 0},
      {"a tap of Alt, then a letter opens that drop-down", 0, {'h', kEnter}, IDM_ABOUT},
      {"a tap of Alt, then Escape leaves", 0, {kEscape}, 0},
      {"no item has the letter: a beep and the loop goes on", 'f', {'q', kKeyUp, kEnter}, IDM_EXIT},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    MenuFrame frame;
    script(frame, c.keys);
    frame.keyMenu(c.entry);
    EXPECT_EQ(frame.exhausted, 0);
    EXPECT_EQ(frame.count(WM_EXITMENULOOP), 1);
    if (c.command) {
      EXPECT_EQ(frame.commands(), std::vector<WPARAM>{MAKEWPARAM(c.command, 0)});
    } else {
      EXPECT_TRUE(frame.commands().empty());
    }
  }
}

// The system menu sits before the first bar item and shows only as its drop-down, so reaching it opens
// it (Wine selects it without opening it; Down then opens it).
TEST(MenuLoop, SystemMenuFromTheKeyboard) {
  struct Case {
    const char *what;
    char entry;
    std::string keys;
    WPARAM command;  // WM_SYSCOMMAND or, for the program's items, WM_COMMAND; 0 for none
  };
  const Case cases[] = {
      {"Escape closes it and Down opens it again", ' ', {kEscape, kKeyDown, kKeyDown, kEnter}, SC_MOVE},
      {"Left from it goes to Help", ' ', {kKeyLeft, kEnter}, IDM_ABOUT},
      {"Right from it goes to File", ' ', {kKeyRight, kEnter}, IDM_OPEN},
      // On Windows a tap of Alt and Left drop the system menu down at once, as reaching it from File
      // does; Wine selects it closed, so that the first Down opens it on Restore.
      {"a tap of Alt, then Left opens it", 0, {kKeyLeft, kKeyDown, kKeyDown, kKeyDown, kEnter},
       runningUnderWine() ? WPARAM(SC_SIZE) : WPARAM(SC_MINIMIZE)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    MenuFrame frame;
    script(frame, c.keys);
    frame.keyMenu(c.entry);
    EXPECT_EQ(frame.exhausted, 0);
    std::vector<WPARAM> chosen;
    for (const menu_test::Logged &m : frame.log)
      if ((m.message == WM_SYSCOMMAND && m.wParam != SC_KEYMENU) || m.message == WM_COMMAND) chosen.push_back(m.wParam);
    EXPECT_EQ(chosen, c.command ? std::vector<WPARAM>{c.command} : std::vector<WPARAM>{});
  }
}

TEST(MenuLoop, RightSwitchesDropDownsWithTheirMessages) {
  MenuFrame frame;
  script(frame, {kKeyRight, kEscape, kEscape});
  frame.keyMenu('f');
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar", "INITMENUPOPUP file 0",
                                  "MENUSELECT 9c47 80 file", "UNINITMENUPOPUP file", "MENUSELECT 1 90 bar",
                                  "INITMENUPOPUP edit 1", "MENUSELECT 9c4e 81 edit", "UNINITMENUPOPUP edit",
                                  "MENUSELECT 0 ffff 0", "EXITMENULOOP 0"}));
}

TEST(MenuLoop, TapOfAltSelectsTheFirstBarItemWithoutOpeningIt) {
  MenuFrame frame;
  script(frame, {kKeyRight, kEscape});
  frame.keyMenu(0);
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUSELECT 0 90 bar", "MENUSELECT 1 90 bar",
                                  "MENUSELECT 0 ffff 0", "EXITMENULOOP 0"}));
}

TEST(MenuLoop, AccessKeyWithoutMatchLeaves) {
  MenuFrame frame;
  frame.keyMenu('q');
  EXPECT_EQ(frame.trace(), (Trace{"ENTERMENULOOP 0", "INITMENU bar", "MENUCHAR 71", "MENUSELECT 0 ffff 0",
                                  "EXITMENULOOP 0"}));
}

TEST(MenuLoop, OwnerCanEnableAnItemWhileItsDropDownOpens) {
  MenuFrame frame;
  frame.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITMENUPOPUP) EnableMenuItem(reinterpret_cast<HMENU>(wParam), IDM_SAVE, MF_ENABLED);
  };
  script(frame, {kKeyDown, kEnter});
  frame.keyMenu('f');
  EXPECT_EQ(frame.commands(), std::vector<WPARAM>{IDM_SAVE});
}

TEST(MenuLoop, AltAndF10LeaveAndTheirReleaseDoesNotComeBack) {
  for (int vk : {VK_MENU, VK_F10}) {
    SCOPED_TRACE(vk);
    MenuFrame frame;
    frame.script.push_back([&] { screen::pressKey(vk); });
    frame.keyMenu('e');
    EXPECT_EQ(frame.count(WM_ENTERMENULOOP), 1);
    EXPECT_EQ(frame.count(WM_EXITMENULOOP), 1);
    EXPECT_EQ(frame.exhausted, 0);
    EXPECT_TRUE(frame.commands().empty());
  }
}

// Alt+F with Alt still held: Alt repeating keeps the menu open. Windows documents nothing of this, and a
// keyboard repeats only the last key pressed, so on Windows it comes only from a desktop that repeats
// Alt again; Wine's loop leaves the menu at any Alt key-down, repeated or not.
TEST(MenuLoop, AltHeldDownRepeatingKeepsTheMenuOpen) {
  MenuFrame frame;
  frame.script.push_back([&] { screen::keyDown(VK_MENU); });
  script(frame, {kKeyDown, kKeyDown, kEnter});
  screen::keyDown(VK_MENU);
  screen::keyDown('F');
  screen::keyUp('F');
  menu_test::pump();
  screen::keyUp(VK_MENU);
  menu_test::pump();
  EXPECT_EQ(frame.count(WM_ENTERMENULOOP), 1);
  EXPECT_EQ(frame.commands(), runningUnderWine() ? std::vector<WPARAM>{} : std::vector<WPARAM>{IDM_EXIT});
}

TEST(MenuLoop, RealAltFOpensFileAndNoCharacterReachesTheProgram) {
  MenuFrame frame;
  screen::keyDown(VK_MENU);
  screen::keyDown('F');
  screen::keyUp('F');
  screen::keyUp(VK_MENU);
  script(frame, {kKeyDown, kKeyDown, kEnter});
  menu_test::pump();
  EXPECT_EQ(frame.count(WM_CHAR), 0);
  EXPECT_EQ(frame.count(WM_SYSCHAR), 1);
  EXPECT_EQ(frame.count(WM_ENTERMENULOOP), 1);
  EXPECT_EQ(frame.commands(), std::vector<WPARAM>{IDM_EXIT});
}

TEST(MenuLoop, RealTapOfAltAndF10EnterTheLoop) {
  for (int vk : {VK_MENU, VK_F10}) {
    SCOPED_TRACE(vk);
    MenuFrame frame;
    screen::pressKey(vk);
    script(frame, {kKeyDown, kEnter});
    menu_test::pump();
    EXPECT_EQ(frame.commands(), std::vector<WPARAM>{IDM_OPEN});
  }
}

TEST(MenuLoop, AltTabAndEscapeDoNotOpenTheMenu) {
  MenuFrame frame;
  for (WPARAM ch : {WPARAM(VK_TAB), WPARAM(VK_ESCAPE)})
    SendMessageA(frame.hwnd, WM_SYSCHAR, ch, 0x20000001);
  EXPECT_EQ(frame.count(WM_ENTERMENULOOP), 0);
}

TEST(MenuLoop, TimersAndPaintingGoOnWhileTheMenuIsOpen) {
  MenuFrame frame;
  int ticks = 0;
  frame.onMessage = [&](UINT message, WPARAM, LPARAM) { ticks += message == WM_TIMER; };
  SetTimer(frame.hwnd, 1, 500, nullptr);
  // Escape comes with the time passed: Wine's loop sends WM_ENTERIDLE again only after input, not after
  // a timer of the owner's.
  frame.script.push_back([&] {
    screen::elapse(1200);
    frame.postKey(VK_ESCAPE);
  });
  script(frame, {kEscape});
  frame.keyMenu('f');
  KillTimer(frame.hwnd, 1);
  EXPECT_GE(ticks, 1);
}

}  // namespace
