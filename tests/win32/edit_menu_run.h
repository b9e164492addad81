// Test support: the edit box's context menu — opened, looked at while it shows, and answered with a key.
#ifndef OXBYTE_TESTS_WIN32_EDIT_MENU_RUN_H
#define OXBYTE_TESTS_WIN32_EDIT_MENU_RUN_H

#include <windows.h>

#include <functional>
#include <string>

#include "support/message_log.h"

// `open` asks for the menu (by default WM_CONTEXTMENU at `point`); `key` is typed once it shows, Escape
// when 0. The menu's owner is the box itself, which is subclassed to see its WM_ENTERIDLE.
struct EditMenuRun {
  std::string texts;    // every item's text, separators empty, each followed by '|'
  std::string enabled;  // the names of the enabled items
  POINT corner{};       // the menu's top-left corner on the screen

  EditMenuRun(HWND edit, LPARAM point, char key = 0, const std::function<void()> &open = {}) : key_(key) {
    current() = this;
    previous_ = WNDPROC(SetWindowLongPtrA(edit, GWLP_WNDPROC, LONG_PTR(&proc)));
    open ? open() : void(SendMessageA(edit, WM_CONTEXTMENU, WPARAM(edit), point));
    MessageLog::pump();
    SetWindowLongPtrA(edit, GWLP_WNDPROC, LONG_PTR(previous_));
  }

 private:
  static EditMenuRun *&current() {
    static EditMenuRun *run = nullptr;
    return run;
  }

  void look(HWND popup) {
    HMENU menu = HMENU(SendMessageA(popup, MN_GETHMENU, 0, 0));
    RECT r{};
    GetWindowRect(popup, &r);
    corner = {r.left, r.top};
    const char *names[] = {"undo", "", "cut", "copy", "paste", "delete", "", "all"};
    for (int i = 0; i < GetMenuItemCount(menu) && i < 8; ++i) {
      char text[64] = {};
      GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
      texts += std::string(text) + '|';
      if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_GRAYED) continue;
      if (!enabled.empty()) enabled += ' ';
      enabled += names[i];
    }
  }

  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    EditMenuRun *run = current();
    if (message == WM_ENTERIDLE && lParam && run->texts.empty()) {
      run->look(HWND(lParam));
      PostMessageA(hwnd, run->key_ ? WM_CHAR : WM_KEYDOWN, run->key_ ? WPARAM(run->key_) : VK_ESCAPE, 1);
    }
    return CallWindowProcA(run->previous_, hwnd, message, wParam, lParam);
  }

  char key_;
  WNDPROC previous_ = nullptr;
};

#endif
