// user32: the state of a running menu loop and the steps that change it, each with the messages Windows
// sends the owner for it.
#ifndef OXBYTE_WIN32_USER32_MENU_TRACK_H
#define OXBYTE_WIN32_USER32_MENU_TRACK_H

#include <windows.h>

#include "user32/menu.h"

namespace win32 {

class MenuTracker {
 public:
  MenuTracker(HWND owner, HMENU bar) : owner_(owner), bar_(bar) {}

  // WM_ENTERMENULOOP and WM_INITMENU.
  void begin();
  // Closes what is open and sends WM_MENUSELECT (closing), WM_EXITMENULOOP and then posts the chosen
  // command, if any, as WM_COMMAND with a zero notification code.
  void finish();

  void selectBarItem(int item);
  // Opens the selected bar item's drop-down after WM_INITMENUPOPUP, with its first item selected when
  // asked (the keyboard) or none (the mouse). Greyed bar items do not open.
  bool openPopup(bool selectFirst);
  void closePopup();
  void selectPopupItem(int item);
  // Up and Down: the next item that is not a separator, wrapping around.
  void movePopupSelection(int step);
  // Left and Right: the neighbouring bar item, wrapping around; an open drop-down follows.
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

  bool done() const { return done_ || !menuOf(bar_); }
  HWND owner() const { return owner_; }
  int barItem() const { return barItem_; }
  HWND popupWindow() const { return popupWindow_; }
  int popupItem() const { return popupItem_; }

 private:
  static Menu *menuOf(HMENU menu) { return findMenu(menu, false); }
  void sendMenuSelect(const Menu &menu, int item);
  void notFound(char key, const Menu &menu);

  HWND owner_;
  HMENU bar_;
  int barItem_ = -1;
  HWND popupWindow_ = nullptr;
  HMENU popup_ = nullptr;
  int popupItem_ = -1;
  bool done_ = false;
  bool hasCommand_ = false;
  UINT command_ = 0;
};

}  // namespace win32

#endif
