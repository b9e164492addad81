// The menu, the toolbar with its tooltips, the accelerators and the status bar at start-up.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using Controls = ProgramTest;

TEST_F(Controls, StartUpStatesOfEveryMenuItemAndButton) {
  ASSERT_TRUE(start());
  struct Case {
    int command;
    bool menuEnabled;
    int button;  // -1: no button
  } cases[] = {
      {IDM_OPEN, true, TBSTATE_ENABLED},       {IDM_SAVE, false, TBSTATE_INDETERMINATE},
      {IDM_EXIT, true, TBSTATE_ENABLED},       {IDM_REVERT, false, TBSTATE_INDETERMINATE},
      {IDM_FIND, false, TBSTATE_INDETERMINATE}, {IDM_FIND_NEXT, false, -1},
      {IDM_GOTO, false, TBSTATE_INDETERMINATE}, {IDM_ABOUT, true, TBSTATE_ENABLED},
  };
  for (const Case &c : cases) {
    EXPECT_EQ((menuState(c.command) & MF_GRAYED) == 0, c.menuEnabled) << c.command;
    if (c.button >= 0) {
      EXPECT_EQ(buttonState(c.command), c.button) << c.command;
    }
  }
  EXPECT_EQ(SendMessageA(toolbar(), TB_BUTTONCOUNT, 0, 0), 10);
}

TEST_F(Controls, EachButtonHasItsTooltip) {
  ASSERT_TRUE(start());
  struct Case {
    int command;
    const char *text;
  } cases[] = {{IDM_OPEN, "打开"},          {IDM_SAVE, "保存"},          {IDM_EXIT, "退出"},
               {IDM_REVERT, "撤销 (Ctrl-Z)"}, {IDM_FIND, "查找 (Ctrl-F)"}, {IDM_GOTO, "跳转 (Ctrl-G)"},
               {IDM_ABOUT, "关于"},          {IDM_FIND_NEXT, ""}};
  for (const Case &c : cases) {
    NMTTDISPINFOA info{};
    info.hdr.idFrom = UINT_PTR(c.command);
    info.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(program.frame, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText ? info.lpszText : "", c.text) << c.command;
  }
}

TEST_F(Controls, TheStatusBarHasTwoPartsAndTheDescription) {
  ASSERT_TRUE(start());
  int edges[4] = {};
  EXPECT_EQ(SendMessageA(status(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  RECT client;
  GetClientRect(status(), &client);
  EXPECT_EQ(edges[0], client.right - 8 * 8);
  EXPECT_EQ(edges[1], -1);
  EXPECT_EQ(statusText(0), "Oxbyte,免费的十六进制编辑器");
  EXPECT_EQ(ChildWindowFromPoint(program.frame, POINT{0, 0}), toolbar());
}

TEST_F(Controls, AcceleratorsWorkOnlyWhileTheirItemsAreEnabled) {
  ASSERT_TRUE(start());
  key('F', true);  // Find, Go-to, Undo all and Find next are greyed: nothing opens
  key('G', true);
  key('Z', true);
  key(VK_F3);
  EXPECT_TRUE(dialogs.empty());
  openWithDialog(writeFile("a.bin", "0123456789"));
  answerWith(IDCANCEL);
  key('F', true);
  answerWith(IDCANCEL);
  key('G', true);
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[1].caption, "查找");
  EXPECT_EQ(dialogs[2].caption, "跳转");
  key('Z', true);  // Undo all is still greyed: nothing was changed
  key(VK_F3);      // and Find next until a search was accepted
  EXPECT_EQ(dialogs.size(), 3u);
}

TEST_F(Controls, CtrlZReachesTheFrameAsACommandNotACharacter) {
  ASSERT_TRUE(start(quotedPath(writeFile("z.bin", "abcdef"))));
  type("1");  // a change enables Undo all
  answerWith(IDNO);
  key('Z', true);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(dialogs[0].says("撤销所有修改?"));
  EXPECT_EQ(statusText(1), " HEX-LO");  // Ctrl+Z typed nothing
}

}  // namespace
