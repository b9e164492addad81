// The edit box's own commands: its single-level undo, and its context menu with Undo, Cut, Copy,
// Paste, Delete and Select All, which a right click (WM_CONTEXTMENU) opens.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "support/message_log.h"
#include "support/wine.h"
#include "win32/edit_menu_run.h"

namespace {

using Sel = std::pair<DWORD, DWORD>;

// Plays a script at the box: '~' is the Delete key, '^' Home, '#' WM_CUT, '!' makes the box read-only;
// anything else is typed (so '\b' is Backspace and '\x1A' Ctrl+Z).
void play(HWND edit, const char *script) {
  for (; *script; ++script) {
    switch (*script) {
      case '~': SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1); break;
      case '^': SendMessageA(edit, WM_KEYDOWN, VK_HOME, 1); break;
      case '#': SendMessageA(edit, WM_CUT, 0, 0); break;
      case '!': SendMessageA(edit, EM_SETREADONLY, TRUE, 0); break;
      default: SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*script), 1);
    }
  }
}

class EditCommands : public testing::Test {
 protected:
  EditCommands() { parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200); }

  HWND edit(const char *text, Sel selection) {
    HWND hwnd = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 20, parent,
                                nullptr, nullptr, nullptr);
    SetFocus(hwnd);
    SendMessageA(hwnd, EM_SETSEL, selection.first, LPARAM(selection.second));
    return hwnd;
  }

  static std::string text(HWND edit) {
    char buffer[64] = {};
    GetWindowTextA(edit, buffer, sizeof buffer);
    return buffer;
  }

  static Sel selection(HWND edit) {
    DWORD begin = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, WPARAM(&begin), LPARAM(&end));
    return {begin, end};
  }

  MessageLog log;
  HWND parent = nullptr;
};

// Runs of typing, Backspace or Delete are one change; what comes back is left selected, and undoing the
// undo puts the change in again (as Wine answers too).
TEST_F(EditCommands, UndoTakesBackTheLastChangeAndASecondRedoesIt) {
  const struct {
    const char *text;
    Sel selection;
    int limit;
    const char *change, *undone;
    Sel undoneSelection;
  } cases[] = {
      {"", {0, 0}, 0, "abc", "", {0, 0}},
      {"hello", {0, 5}, 0, "x", "hello", {0, 5}},
      {"hello", {5, 5}, 0, "\b\b", "hello", {3, 5}},
      {"hello", {0, 0}, 0, "~~", "hello", {0, 2}},
      {"hello", {5, 5}, 0, "ab^c", "helloab", {0, 0}},  // typing elsewhere starts a new change
      {"hello", {1, 3}, 0, "#", "hello", {1, 3}},
      {"abc", {3, 3}, 4, "xyz", "abc", {3, 3}},  // only the x that fitted is taken back
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.change);
    HWND e = edit(c.text, c.selection);
    if (c.limit) SendMessageA(e, EM_LIMITTEXT, c.limit, 0);
    play(e, c.change);
    std::string changed = text(e);
    EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
    EXPECT_EQ(text(e), c.undone);
    EXPECT_EQ(selection(e), c.undoneSelection);
    EXPECT_TRUE(SendMessageA(e, EM_CANUNDO, 0, 0));
    SendMessageA(e, WM_UNDO, 0, 0);
    EXPECT_EQ(text(e), changed);
    DestroyWindow(e);
  }
}

TEST_F(EditCommands, WhatEmptiesTheUndoBufferAndCtrlZ) {
  HWND e = edit("", {0, 0});
  EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0));
  for (auto [message, wParam] :
       {std::pair<UINT, WPARAM>{WM_SETTEXT, 0}, {EM_REPLACESEL, FALSE}, {EM_EMPTYUNDOBUFFER, 0}}) {
    play(e, "a");
    EXPECT_TRUE(SendMessageA(e, EM_CANUNDO, 0, 0));
    SendMessageA(e, message, wParam, LPARAM("hello"));
    EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0)) << message;
  }
  SetWindowTextA(e, "");
  play(e, "hello\x1A");
  EXPECT_EQ(text(e), "");
  play(e, "ab!\x1A");  // a read-only box keeps its text
  EXPECT_TRUE(SendMessageA(e, EM_UNDO, 0, 0));
  EXPECT_EQ(text(e), "ab");
}

// Each item is greyed where it would do nothing; a key then chooses one.
TEST_F(EditCommands, TheMenusItemsAndWhatTheyDo) {
  SendMessageA(edit("b", {0, 1}), WM_COPY, 0, 0);
  const struct {
    const char *text;
    Sel selection;
    const char *before, *enabled;
    char key;
    const char *result;
    Sel resultSelection;
  } cases[] = {
      {"", {0, 0}, "", "paste", 'p', "b", {1, 1}},
      {"abc", {1, 1}, "", "paste all", 'a', "abc", {0, 3}},
      {"abc", {1, 2}, "", "cut copy paste delete all", 'd', "ac", {1, 1}},
      {"abc", {3, 3}, "d", "undo paste all", 'u', "abc", {3, 3}},
      {"abc", {0, 1}, "!", "copy all", 'd', "abc", {0, 1}},  // Delete is greyed: nothing happens
      {"abc", {0, 3}, "", "cut copy paste delete", 't', "", {0, 0}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.key);
    HWND e = edit(c.text, c.selection);
    play(e, c.before);
    EXPECT_EQ(EditMenuRun(e, MAKELPARAM(100, 100), c.key).enabled, c.enabled);
    EXPECT_EQ(text(e), c.result);
    EXPECT_EQ(selection(e), c.resultSelection);
    DestroyWindow(e);
  }
}

// DefWindowProcA asks for the context menu with WM_CONTEXTMENU, which a child passes on to its parent: at
// the screen point of a release of the right button, or at no point (-1, -1) for Shift+F10, where the
// edit box opens its menu in its middle.
TEST_F(EditCommands, ContextMenuRequests) {
  HWND label =
      CreateWindowExA(0, "STATIC", "label", WS_CHILD | WS_VISIBLE, 10, 50, 100, 20, parent, nullptr, nullptr, nullptr);
  POINT screen{3, 4};
  ClientToScreen(label, &screen);
  BYTE keys[256] = {};
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(label, WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
  SendMessageA(label, WM_SYSKEYDOWN, VK_F10, 1);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  std::vector<std::pair<WPARAM, LPARAM>> asked;
  for (const LoggedMessage &m : log.messages)
    if (m.message == WM_CONTEXTMENU && m.hwnd == parent) asked.emplace_back(m.wParam, m.lParam);
  EXPECT_EQ(asked, (std::vector<std::pair<WPARAM, LPARAM>>{{WPARAM(label), MAKELPARAM(screen.x, screen.y)},
                                                           {WPARAM(label), -1}}));
  HWND e = edit("abc", {0, 0});
  RECT client;
  GetClientRect(e, &client);
  POINT middle{client.right / 2, client.bottom / 2};
  ClientToScreen(e, &middle);
  POINT corner = EditMenuRun(e, -1).corner;
  EXPECT_EQ(std::pair(corner.x, corner.y), std::pair(middle.x, middle.y));
}

// Wine words Undo in the older way; Windows 10 and later say 撤销.
TEST(SystemTexts, EditMenuItems) {
  MessageLog log;
  HWND parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND e = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr, nullptr, nullptr);
  const char *expected = "&Undo||Cu&t|&Copy|&Paste|&Delete||Select &All|";
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE)
    expected = runningUnderWine() ? "撤消(&U)||剪切(&T)|复制(&C)|粘贴(&P)|删除(&D)||全选(&A)|"
                                  : "撤销(&U)||剪切(&T)|复制(&C)|粘贴(&P)|删除(&D)||全选(&A)|";
  EXPECT_EQ(EditMenuRun(e, MAKELPARAM(50, 50)).texts, expected);
}

}  // namespace
