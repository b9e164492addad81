// The system menu, and the texts user32 shows itself in the user's display language: the SystemTexts
// cases run again in a process started with LC_ALL=zh_CN.UTF-8 (tests/CMakeLists.txt, cmake/Windows.cmake).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/message_log.h"
#include "support/platform_screen.h"
#include "support/wine.h"

namespace {

constexpr DWORD kFrameStyle = WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;  // the program's

const char *shown(const char *english, const char *chinese) {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? chinese : english;
}

// Opens a window's system menu as Alt+Space does; `look` sees it once it shows, then `keys` are posted
// one each time the loop goes idle, and Escape after them. The window keeps WM_CLOSE and SC_MOVE to
// itself: Windows would start moving the window by the keyboard.
struct SystemMenuRun {
  std::vector<WPARAM> commands;  // WM_SYSCOMMAND, less the SC_KEYMENU that opened the menu
  bool closed = false;

  SystemMenuRun(MessageLog &log, HWND hwnd, std::vector<UINT> keys, const std::function<void(HMENU)> &look = {}) {
    size_t next = 0;
    log.handler = [&](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT &) {
      if (message == WM_ENTERIDLE) {
        if (lParam && look && next == 0) look(GetSystemMenu(hwnd, FALSE));
        PostMessageA(hwnd, WM_KEYDOWN, next < keys.size() ? keys[next] : VK_ESCAPE, 1);
        ++next;
        return true;
      }
      if (message == WM_SYSCOMMAND && wParam != SC_KEYMENU) commands.push_back(wParam);
      closed = closed || message == WM_CLOSE;
      return message == WM_CLOSE || (message == WM_SYSCOMMAND && wParam == SC_MOVE);
    };
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    MessageLog::pump();
    log.handler = nullptr;
  }
};

TEST(SystemTexts, TheDisplayLanguageFollowsLcAll) {
  const char *all = std::getenv("LC_ALL");
  if (!all) GTEST_SKIP() << "the display language is the system's own setting";
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE, std::strncmp(all, "zh", 2) == 0) << all;
}

TEST(SystemTexts, MessageBoxButtons) {
  static std::string texts;
  HHOOK hook = SetWindowsHookExA(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        HWND box = HWND(wParam);
        if (code == HCBT_ACTIVATE && GetDlgItem(box, IDCANCEL)) {
          for (int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
            char text[32] = {};
            HWND button = GetDlgItem(box, id);
            if (button && GetWindowTextA(button, text, sizeof text)) texts += std::string(text) + '|';
          }
          PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  MessageBoxA(nullptr, "text", "caption", MB_OKCANCEL);
  MessageBoxA(nullptr, "text", "caption", MB_YESNOCANCEL);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(texts, shown("OK|Cancel|&Yes|&No|Cancel|", "确定|取消|是(&Y)|否(&N)|取消|"));
}

// Wine adds items of its own after Close, and words Restore differently from Windows.
TEST(SystemTexts, SystemMenuItems) {
  MessageLog log;
  HMENU menu = GetSystemMenu(log.createTopLevel(WS_OVERLAPPEDWINDOW), FALSE);
  const UINT ids[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};
  std::string texts;
  for (int i = 0; i < 7; ++i) {
    char text[32] = {};
    GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
    texts += std::string(text) + '|';
    EXPECT_EQ(GetMenuItemID(menu, i), ids[i]);
  }
  EXPECT_EQ(texts, shown("&Restore|&Move|&Size|Mi&nimize|Ma&ximize||&Close\tAlt+F4|",
                         runningUnderWine() ? "恢复(&R)|移动(&M)|大小(&S)|最小化(&N)|最大化(&X)||关闭(&C)\tAlt+F4|"
                                            : "还原(&R)|移动(&M)|大小(&S)|最小化(&N)|最大化(&X)||关闭(&C)\tAlt+F4|"));
  EXPECT_TRUE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_DEFAULT);
}

// Windows greys the items as the menu opens (Wine greys Maximize without WS_MAXIMIZEBOX rather than
// removing it); a chosen item comes as WM_SYSCOMMAND, which DefWindowProcA turns into WM_CLOSE or
// minimises by.
TEST(SystemMenu, ItemsFollowTheWindowsStylesAndState) {
  const struct {
    DWORD style;
    bool minimized;
    std::vector<UINT> grayed, keys;
    std::vector<WPARAM> commands;
    bool closed;
  } cases[] = {
      {kFrameStyle, false, {SC_RESTORE, SC_MAXIMIZE}, {'C'}, {SC_CLOSE}, true},
      {kFrameStyle,
       false,
       {SC_RESTORE, SC_MAXIMIZE},
       {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN},
       {SC_CLOSE},
       true},  // past the separator
      {kFrameStyle, false, {SC_RESTORE, SC_MAXIMIZE}, {VK_DOWN, VK_RETURN}, {SC_MOVE}, false},
      {kFrameStyle, false, {SC_RESTORE, SC_MAXIMIZE}, {'X'}, {}, false},
      {kFrameStyle, true, {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}, {'R'}, {SC_RESTORE}, false},
      {WS_OVERLAPPEDWINDOW, false, {SC_RESTORE}, {'N'}, {SC_MINIMIZE}, false},
      {WS_POPUP | WS_CAPTION | WS_SYSMENU, false, {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}, {}, {}, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.style << " " << c.minimized << " " << c.keys.size());
    MessageLog log;
    HWND hwnd = log.createTopLevel(c.style | WS_VISIBLE);
    if (c.minimized) ShowWindow(hwnd, SW_MINIMIZE);
    std::vector<UINT> grayed;
    SystemMenuRun run(log, hwnd, c.keys, [&](HMENU menu) {
      for (UINT id : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) grayed.push_back(id);
    });
    EXPECT_EQ(grayed, c.grayed);
    EXPECT_EQ(run.commands, c.commands);
    EXPECT_EQ(run.closed, c.closed);
    bool minimizedAfter = c.commands.empty() ? c.minimized : c.commands[0] == SC_MINIMIZE;
    EXPECT_EQ(IsIconic(hwnd) != 0, minimizedAfter);
  }
}

// Close, the system menu's default item, is bold. Two items of the same text, the second the default:
// it has more ink.
TEST(SystemMenu, TheDefaultItemIsBold) {
  MessageLog log;
  HWND owner = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HMENU menu = CreatePopupMenu();
  for (UINT id : {1, 2}) AppendMenuA(menu, MF_STRING, id, "Close");
  EXPECT_FALSE(SetMenuDefaultItem(menu, 3, FALSE));
  EXPECT_TRUE(SetMenuDefaultItem(menu, 2, FALSE));
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_DEFAULT, UINT(MF_DEFAULT));
  int ink[2] = {};
  log.handler = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT &) {
    if (message != WM_ENTERIDLE || !lParam) return false;
    RECT window;
    GetWindowRect(HWND(lParam), &window);
    for (int i = 0; i < 2 && !ink[1]; ++i) {
      RECT item;
      GetMenuItemRect(nullptr, menu, UINT(i), &item);
      for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.left; x < item.right; ++x)
          ink[i] += screen::windowPixel(HWND(lParam), x - window.left, y - window.top) == GetSysColor(COLOR_MENUTEXT);
    }
    PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  };
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
  log.handler = nullptr;
  DestroyMenu(menu);
  EXPECT_GT(ink[0], 0);
  EXPECT_GT(ink[1], ink[0] * 5 / 4);
}

}  // namespace
