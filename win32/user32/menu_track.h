// user32: the state of a running menu loop and the steps that change it, each with the messages Windows
// sends the owner for it.
#ifndef OXBYTE_WIN32_USER32_MENU_TRACK_H
#define OXBYTE_WIN32_USER32_MENU_TRACK_H

#include <windows.h>

#include "user32/menu.h"

namespace win32 {

class MenuTracker {
 public:
  // `bar` is the window's menu bar and `system` its system menu, either of them null; both null for a
  // shortcut menu (TrackPopupMenu).
  MenuTracker(HWND owner, HMENU bar, HMENU system) : owner_(owner), bar_(bar), system_(system) {}

  // TPM_NONOTIFY: the owner hears nothing of the loop but WM_ENTERIDLE and WM_MENUCHAR.
  void setNotify(bool notify) { notify_ = notify; }
  // WM_ENTERMENULOOP (wParam: whether TrackPopupMenu runs the loop) and WM_INITMENU for `top`.
  void begin(HMENU top, bool shortcut = false);
  // Closes what is open and sends WM_MENUSELECT (closing) and WM_EXITMENULOOP. Returns the command chosen
  // (0 for none) and, with `post`, posts it after the loop as WM_COMMAND with a zero notification code, or
  // as WM_SYSCOMMAND when it came from the system menu.
  UINT finish(bool post = true);

  void selectBarItem(int item);
  // The system menu, before the first bar item; it has no look of its own until its drop-down opens.
  void selectSystemMenu();
  // Opens the selected bar item's (or the system menu's) drop-down after WM_INITMENUPOPUP, with its first
  // item selected when asked (the keyboard) or none (the mouse). Greyed bar items do not open.
  bool openPopup(bool selectFirst);
  // A shortcut menu at a screen point, with nothing selected.
  bool openPopupAt(HMENU menu, POINT screen);
  void closePopup();
  // Escape: closes the drop-down and goes back to the bar (or the system menu), or leaves when there is
  // nothing to go back to.
  void escape();
  void selectPopupItem(int item);
  // Up and Down: the next item that is not a separator, wrapping around.
  void movePopupSelection(int step);
  // Left and Right: the neighbouring bar item, the system menu counting as the one before the first, all
  // wrapping around; an open drop-down follows.
  void moveBarSelection(int step);
  // An enabled command item: what a click can choose.
  bool isChoosable(int item) const;
  // Enter or an access key on a drop-down item. The loop ends either way; only a choosable item gives a
  // command.
  void choosePopupItem(int item);
  // An access key: the matching item of the open drop-down is chosen, or else the matching bar item
  // opens. False (after WM_MENUCHAR and, unanswered, a beep) when nothing matches.
  bool accessKeyTyped(char key);
  void end() { done_ = true; }

  bool done() const { return done_ || (bar_ && !menuOf(bar_)); }
  bool hasBar() const { return bar_ != nullptr; }
  bool hasSystemMenu() const { return menuOf(system_) != nullptr; }
  HWND owner() const { return owner_; }
  int barItem() const { return barItem_; }
  HWND popupWindow() const { return popupWindow_; }
  int popupItem() const { return popupItem_; }

 private:
  static Menu *menuOf(HMENU menu) { return findMenu(menu, false); }
  LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const;
  bool showPopup(HMENU menu, POINT screen, bool selectFirst);
  void highlightBar(bool open);
  void sendMenuSelect(const Menu &menu, int item);
  void notFound(char key, const Menu &menu);

  HWND owner_;
  HMENU bar_;
  HMENU system_;
  bool notify_ = true;
  bool shortcut_ = false;
  int barItem_ = -1;
  bool onSystem_ = false;
  HWND popupWindow_ = nullptr;
  HMENU popup_ = nullptr;
  int popupItem_ = -1;
  bool done_ = false;
  bool hasCommand_ = false;
  bool systemCommand_ = false;
  UINT command_ = 0;
};

}  // namespace win32

#endif
