// user32: the state of a running menu loop and the steps that change it, each with the messages Windows
// sends the owner for it.
#include "user32/menu_track.h"

#include <cctype>

#include "user32/menu_bar.h"
#include "user32/menu_popup.h"
#include "user32/window.h"

namespace win32 {

void MenuTracker::begin() {
  SendMessageA(owner_, WM_ENTERMENULOOP, FALSE, 0);
  SendMessageA(owner_, WM_INITMENU, WPARAM(bar_), 0);
}

void MenuTracker::finish() {
  closePopup();
  barItem_ = -1;
  Window *w = findWindow(owner_, false);
  if (!w) return;
  highlightMenuBarItem(*w, -1, false);
  SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageA(owner_, WM_EXITMENULOOP, FALSE, 0);
  // The command arrives after the loop has ended, through the program's own message loop.
  if (hasCommand_) PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(command_, 0), 0);
}

// WM_MENUSELECT names a pop-up item by its position and any other item by its command; separators are
// reported with their flags but never highlighted.
void MenuTracker::sendMenuSelect(const Menu &menu, int index) {
  const MenuItem &item = menu.items[size_t(index)];
  UINT flags = item.flags & 0xFFFF;
  if (!item.isSeparator()) flags |= MF_HILITE;
  UINT idOrPosition = item.isPopup() ? UINT(index) : item.id;
  SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(idOrPosition, flags), LPARAM(menu.handle));
}

void MenuTracker::selectBarItem(int item) {
  Menu *bar = menuOf(bar_);
  if (!bar || item < 0 || size_t(item) >= bar->items.size()) return;
  barItem_ = item;
  if (Window *w = findWindow(owner_, false)) highlightMenuBarItem(*w, item, false);
  sendMenuSelect(*bar, item);
}

bool MenuTracker::openPopup(bool selectFirst) {
  Menu *bar = menuOf(bar_);
  if (popupWindow_ || !bar || barItem_ < 0 || size_t(barItem_) >= bar->items.size()) return false;
  const MenuItem &item = bar->items[size_t(barItem_)];
  if (!item.isPopup() || !item.isEnabled()) return false;
  HMENU submenu = item.submenu;
  SendMessageA(owner_, WM_INITMENUPOPUP, WPARAM(submenu), MAKELPARAM(barItem_, FALSE));
  // The owner may have done anything in WM_INITMENUPOPUP, destroying the menu or itself included.
  Window *w = findWindow(owner_, false);
  RECT itemRect;
  if (done() || !w || !menuOf(submenu) || !menuBarItemRect(*w, barItem_, itemRect)) return false;
  popupWindow_ = showPopupMenu(owner_, submenu, POINT{itemRect.left, itemRect.bottom});
  if (!popupWindow_) return false;
  popup_ = submenu;
  popupItem_ = -1;
  highlightMenuBarItem(*w, barItem_, true);
  if (selectFirst) movePopupSelection(1);
  return true;
}

void MenuTracker::closePopup() {
  if (!popupWindow_) return;
  HWND window = popupWindow_;
  HMENU menu = popup_;
  popupWindow_ = nullptr;
  popup_ = nullptr;
  popupItem_ = -1;
  DestroyWindow(window);
  if (Window *w = findWindow(owner_, false)) {
    highlightMenuBarItem(*w, barItem_, false);
    SendMessageA(owner_, WM_UNINITMENUPOPUP, WPARAM(menu), 0);
  }
}

void MenuTracker::selectPopupItem(int item) {
  Menu *menu = menuOf(popup_);
  if (!menu || !popupWindow_ || item < 0 || size_t(item) >= menu->items.size() || item == popupItem_) return;
  popupItem_ = item;
  selectPopupMenuItem(popupWindow_, item);
  sendMenuSelect(*menu, item);
}

void MenuTracker::movePopupSelection(int step) {
  Menu *menu = menuOf(popup_);
  if (!menu || menu->items.empty()) return;
  int count = int(menu->items.size());
  int start = popupItem_ >= 0 ? popupItem_ : (step > 0 ? -1 : count);
  for (int k = 1; k <= count; ++k) {
    int index = ((start + step * k) % count + count) % count;
    if (!menu->items[size_t(index)].isSeparator()) {
      selectPopupItem(index);
      return;
    }
  }
}

void MenuTracker::moveBarSelection(int step) {
  Menu *bar = menuOf(bar_);
  if (!bar || bar->items.empty()) return;
  int count = int(bar->items.size());
  int next = ((barItem_ + step) % count + count) % count;
  bool wasOpen = popupWindow_ != nullptr;
  closePopup();
  selectBarItem(next);
  if (wasOpen) openPopup(true);
}

bool MenuTracker::isChoosable(int item) const {
  Menu *menu = menuOf(popup_);
  if (!menu || item < 0 || size_t(item) >= menu->items.size()) return false;
  const MenuItem &target = menu->items[size_t(item)];
  return target.isEnabled() && !target.isSeparator() && !target.isPopup();
}

void MenuTracker::choosePopupItem(int item) {
  if (isChoosable(item)) {
    hasCommand_ = true;
    command_ = menuOf(popup_)->items[size_t(item)].id;
  }
  end();
}

bool MenuTracker::accessKeyTyped(char key) {
  key = char(std::tolower(static_cast<unsigned char>(key)));
  Menu *menu = menuOf(popupWindow_ ? popup_ : bar_);
  if (!menu) return false;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    if (key == 0 || accessKey(menu->items[i].label()) != key) continue;
    if (popupWindow_) {
      selectPopupItem(int(i));
      choosePopupItem(int(i));
    } else {
      selectBarItem(int(i));
      openPopup(true);
    }
    return true;
  }
  notFound(key, *menu);
  return false;
}

// The owner may answer WM_MENUCHAR; DefWindowProcA's 0 (MNC_IGNORE) means a beep.
void MenuTracker::notFound(char key, const Menu &menu) {
  WPARAM wParam = MAKEWPARAM(static_cast<unsigned char>(key), popupWindow_ ? MF_POPUP : 0);
  LRESULT answer = SendMessageA(owner_, WM_MENUCHAR, wParam, LPARAM(menu.handle));
  if (HIWORD(answer) == 0) MessageBeep(0);
}

}  // namespace win32
