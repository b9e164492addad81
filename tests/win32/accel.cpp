// Accelerators: the program's table 107 against its menu 104, tables of our own, and the keys that
// must not match.
#include <gtest/gtest.h>

#include "support/wine.h"
#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;
using Trace = std::vector<std::string>;

void holdKeys(BYTE modifiers) {
  BYTE keys[256] = {};
  if (modifiers & FCONTROL) keys[VK_CONTROL] = 0x80;
  if (modifiers & FSHIFT) keys[VK_SHIFT] = 0x80;
  if (modifiers & FALT) keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
}

int translate(HWND hwnd, HACCEL table, UINT message, WPARAM key, BYTE modifiers = 0) {
  holdKeys(modifiers);
  MSG msg{hwnd, message, key, (modifiers & FALT) ? 0x20000001 : 1, 0, {}};
  int result = TranslateAcceleratorA(hwnd, table, &msg);
  holdKeys(0);
  return result;
}

HACCEL programTable() { return LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS)); }

TEST(Accelerators, ProgramTableAsLoaded) {
  const ACCEL expected[] = {{FVIRTKEY | FNOINVERT | FCONTROL, 'F', IDM_FIND},
                            {FVIRTKEY | FNOINVERT | FCONTROL, 'G', IDM_GOTO},
                            {FVIRTKEY | FNOINVERT, VK_F3, IDM_FIND_NEXT},
                            {FVIRTKEY | FNOINVERT | FCONTROL, 'Z', IDM_REVERT}};
  for (HINSTANCE instance : {GetModuleHandleA(nullptr), HINSTANCE(nullptr)}) {
    HACCEL table = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 4);
    ACCEL copy[6] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, copy, 6), 4);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(copy[i].fVirt, expected[i].fVirt) << i;
      EXPECT_EQ(copy[i].key, expected[i].key) << i;
      EXPECT_EQ(copy[i].cmd, expected[i].cmd) << i;
    }
    ACCEL two[3] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, two, 2), 2);
    EXPECT_EQ(two[1].cmd, IDM_GOTO);
    EXPECT_EQ(two[2].cmd, 0);
    EXPECT_EQ(CopyAcceleratorTableA(table, two, 0), 0);
    EXPECT_TRUE(DestroyAcceleratorTable(table));
  }
}

TEST(Accelerators, ProgramKeysOnlyWhileTheirItemsAreEnabled) {
  struct Case {
    const char *what;
    BYTE held;
    UINT message;
    WPARAM key;
    UINT enabled;  // the item enabled first, or 0
    int returned;
    UINT command;  // 0: nothing is sent
  };
  const Case cases[] = {
      {"Ctrl+F, Find greyed", FCONTROL, WM_KEYDOWN, 'F', 0, 1, 0},
      {"Ctrl+F, Find enabled", FCONTROL, WM_KEYDOWN, 'F', IDM_FIND, 1, IDM_FIND},
      {"F3, Find next greyed", 0, WM_KEYDOWN, VK_F3, 0, 1, 0},
      {"F3, Find next enabled", 0, WM_KEYDOWN, VK_F3, IDM_FIND_NEXT, 1, IDM_FIND_NEXT},
      {"Ctrl+Z, Undo enabled", FCONTROL, WM_KEYDOWN, 'Z', IDM_REVERT, 1, IDM_REVERT},
      {"Ctrl+G, Go to enabled", FCONTROL, WM_KEYDOWN, 'G', IDM_GOTO, 1, IDM_GOTO},
      {"F without Ctrl", 0, WM_KEYDOWN, 'F', IDM_FIND, 0, 0},
      {"Shift+Ctrl+F", FCONTROL | FSHIFT, WM_KEYDOWN, 'F', IDM_FIND, 0, 0},
      {"Ctrl+Alt+F", FCONTROL | FALT, WM_KEYDOWN, 'F', IDM_FIND, 0, 0},
      {"Shift+F3", FSHIFT, WM_KEYDOWN, VK_F3, IDM_FIND_NEXT, 0, 0},
      {"Ctrl+F3", FCONTROL, WM_KEYDOWN, VK_F3, IDM_FIND_NEXT, 0, 0},
      {"Alt+F3", FALT, WM_SYSKEYDOWN, VK_F3, IDM_FIND_NEXT, 0, 0},
      {"Ctrl+F released", FCONTROL, WM_KEYUP, 'F', IDM_FIND, 0, 0},
      {"Ctrl+F as its character", FCONTROL, WM_CHAR, 6, IDM_FIND, 0, 0},
      {"F as a character", FCONTROL, WM_CHAR, 'F', IDM_FIND, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    MenuFrame frame;
    HACCEL table = programTable();
    if (c.enabled) EnableMenuItem(frame.menu, c.enabled, MF_ENABLED);
    EXPECT_EQ(translate(frame.hwnd, table, c.message, c.key, c.held), c.returned);
    if (c.command) {
      EXPECT_EQ(frame.commands(), std::vector<WPARAM>{MAKEWPARAM(c.command, 1)});
      EXPECT_EQ(frame.log.back().lParam, 0);
    } else {
      EXPECT_TRUE(frame.commands().empty());
    }
    DestroyAcceleratorTable(table);
  }
}

TEST(Accelerators, MenuIsInitialisedBeforeItsItemIsLookedAt) {
  MenuFrame frame;
  HACCEL table = programTable();
  EXPECT_EQ(translate(frame.hwnd, table, WM_KEYDOWN, 'F', FCONTROL), 1);
  EXPECT_EQ(frame.trace(), (Trace{"INITMENU bar", "INITMENUPOPUP search 2"}));
  // The owner may enable the item when it is asked; the key then gives the command.
  frame.log.clear();
  frame.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITMENUPOPUP) EnableMenuItem(reinterpret_cast<HMENU>(wParam), IDM_FIND, MF_ENABLED);
  };
  EXPECT_EQ(translate(frame.hwnd, table, WM_KEYDOWN, 'F', FCONTROL), 1);
  EXPECT_EQ(frame.trace(), (Trace{"INITMENU bar", "INITMENUPOPUP search 2", "COMMAND 19c48 0"}));
  DestroyAcceleratorTable(table);
}

TEST(Accelerators, DisabledOrMinimizedWindowsAndCommandsOutsideTheMenu) {
  struct Case {
    const char *what;
    bool disabled, minimized;
    Trace inMenu;     // Ctrl+F with Find enabled
    Trace notInMenu;  // Ctrl+Q, a command the menu does not have
  };
  const Case cases[] = {
      {"disabled", true, false, {}, {"COMMAND 101f5 0"}},
      {"minimized", false, true, {"INITMENU bar", "INITMENUPOPUP search 2"}, {"COMMAND 101f5 0"}},
  };
  ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'F', IDM_FIND}, {FVIRTKEY | FCONTROL, 'Q', 501}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    MenuFrame frame;
    HACCEL table = CreateAcceleratorTableA(entries, 2);
    EnableMenuItem(frame.menu, IDM_FIND, MF_ENABLED);
    if (c.disabled) EnableWindow(frame.hwnd, FALSE);
    if (c.minimized) ShowWindow(frame.hwnd, SW_MINIMIZE);
    frame.log.clear();
    EXPECT_EQ(translate(frame.hwnd, table, WM_KEYDOWN, 'F', FCONTROL), 1);
    EXPECT_EQ(frame.trace(), c.inMenu);
    frame.log.clear();
    EXPECT_EQ(translate(frame.hwnd, table, WM_KEYDOWN, 'Q', FCONTROL), 1);
    EXPECT_EQ(frame.trace(), c.notInMenu);
    DestroyAcceleratorTable(table);
  }
}

TEST(Accelerators, CharacterEntries) {
  struct Case {
    const char *what;
    BYTE held;
    UINT message;
    WPARAM key;
    UINT command;
  };
  const Case cases[] = {
      {"a typed", 0, WM_CHAR, 'a', 501},
      {"a typed with Ctrl held, which the character already carries", FCONTROL, WM_CHAR, 'a', 501},
      {"A is another character", 0, WM_CHAR, 'A', 0},
      {"a with Alt is not a", FALT, WM_SYSCHAR, 'a', 0},
      {"Alt+b", FALT, WM_SYSCHAR, 'b', 502},
      {"b without Alt", 0, WM_CHAR, 'b', 0},
      {"the key A is not the character a", 0, WM_KEYDOWN, 'A', 0},
  };
  ACCEL entries[] = {{0, 'a', 501}, {FALT, 'b', 502}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    MenuFrame frame;
    HACCEL table = CreateAcceleratorTableA(entries, 2);
    EXPECT_EQ(translate(frame.hwnd, table, c.message, c.key, c.held), c.command ? 1 : 0);
    if (c.command) {
      EXPECT_EQ(frame.commands(), std::vector<WPARAM>{MAKEWPARAM(c.command, 1)});
    } else {
      EXPECT_TRUE(frame.commands().empty());
    }
    DestroyAcceleratorTable(table);
  }
}

TEST(Accelerators, ChildWindowsHaveNoMenuToConsult) {
  static std::vector<WPARAM> childCommands;
  childCommands.clear();
  WNDCLASSA wc{};
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_COMMAND) childCommands.push_back(wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  };
  wc.lpszClassName = "AccelTestChild";
  RegisterClassA(&wc);
  MenuFrame frame;
  HWND child = CreateWindowExA(0, "AccelTestChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, frame.hwnd, nullptr,
                               nullptr, nullptr);
  HACCEL table = programTable();
  // Find is greyed in the frame's menu, but the child's command goes out all the same.
  EXPECT_EQ(translate(child, table, WM_KEYDOWN, 'F', FCONTROL), 1);
  EXPECT_EQ(childCommands, std::vector<WPARAM>{MAKEWPARAM(IDM_FIND, 1)});
  EXPECT_TRUE(frame.trace().empty());  // no WM_INITMENU, no WM_COMMAND
  DestroyAcceleratorTable(table);
}

// A destroyed table, a null array of entries and a null message, where Windows documents no answer: Wine
// keeps no error for a table destroyed twice and crashes on the calls after it, on the null array and on
// the null message, so this runs only on the stand-in and Windows.
TEST(Accelerators, DestroyedTablesAndNullPointers) {
  if (runningUnderWine()) GTEST_SKIP() << "Wine crashes on a destroyed accelerator table";
  MenuFrame frame;
  HACCEL table = programTable();
  ASSERT_TRUE(DestroyAcceleratorTable(table));
  SetLastError(0);
  EXPECT_FALSE(DestroyAcceleratorTable(table));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_ACCEL_HANDLE));
  EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 0);
  EXPECT_EQ(translate(frame.hwnd, table, WM_KEYDOWN, 'F', FCONTROL), 0);
  EXPECT_EQ(CreateAcceleratorTableA(nullptr, 1), nullptr);
  HACCEL good = programTable();
  EXPECT_EQ(TranslateAcceleratorA(frame.hwnd, good, nullptr), 0);
  EXPECT_TRUE(frame.commands().empty());
  DestroyAcceleratorTable(good);
}

// No window, no entries and a missing resource: nothing is translated or made.
TEST(Accelerators, BadArguments) {
  MenuFrame frame;
  HACCEL good = programTable();
  EXPECT_EQ(translate(nullptr, good, WM_KEYDOWN, 'F', FCONTROL), 0);
  ACCEL one{FVIRTKEY, VK_F3, 1};
  EXPECT_EQ(CreateAcceleratorTableA(&one, 0), nullptr);
  SetLastError(0);
  EXPECT_EQ(LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(9999)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_TRUE(frame.commands().empty());
  DestroyAcceleratorTable(good);
}

// Real keys through the program's kind of message loop: Ctrl+F never arrives as a character.
TEST(Accelerators, CtrlFTypedOnTheKeyboard) {
  for (bool findEnabled : {false, true}) {
    SCOPED_TRACE(findEnabled);
    MenuFrame frame;
    HACCEL table = programTable();
    if (findEnabled) EnableMenuItem(frame.menu, IDM_FIND, MF_ENABLED);
    screen::keyDown(VK_CONTROL);
    screen::keyDown('F');
    screen::keyUp('F');
    screen::keyUp(VK_CONTROL);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAcceleratorA(frame.hwnd, table, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    EXPECT_EQ(frame.count(WM_CHAR), 0);
    EXPECT_EQ(frame.commands(), findEnabled ? std::vector<WPARAM>{MAKEWPARAM(IDM_FIND, 1)} : std::vector<WPARAM>{});
    DestroyAcceleratorTable(table);
  }
}

}  // namespace
