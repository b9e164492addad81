// user32: the state of a running menu loop and the steps that change it, each with the messages Windows
// sends the owner for it.
#include "user32/menu_track.h"

#include <cctype>

#include "user32/menu_bar.h"
#include "user32/menu_popup.h"
#include "user32/system_menu.h"
#include "user32/window.h"

namespace win32 {

LRESULT MenuTracker::send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return notify_ ? SendMessageA(owner_, message, wParam, lParam) : 0;
}

void MenuTracker::begin(HMENU top, bool shortcut) {
  shortcut_ = shortcut;
  send(WM_ENTERMENULOOP, shortcut, 0);
  send(WM_INITMENU, WPARAM(top), 0);
}

UINT MenuTracker::finish(bool post) {
  closePopup();
  barItem_ = -1;
  onSystem_ = false;
  if (!findWindow(owner_, false)) return 0;
  highlightBar(false);
  send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  send(WM_EXITMENULOOP, shortcut_, 0);
  if (!hasCommand_) return 0;
  // The command arrives after the loop has ended, through the program's own message loop.
  if (post)
    PostMessageA(owner_, systemCommand_ ? WM_SYSCOMMAND : WM_COMMAND,
                 systemCommand_ ? command_ : MAKEWPARAM(command_, 0), 0);
  return command_;
}

void MenuTracker::highlightBar(bool open) {
  if (!bar_) return;
  if (Window *w = findWindow(owner_, false)) highlightMenuBarItem(*w, barItem_, open);
}

// WM_MENUSELECT names a pop-up item by its position and any other item by its command; separators are
// reported with their flags but never highlighted. The system menu's items carry MF_SYSMENU.
void MenuTracker::sendMenuSelect(const Menu &menu, int index) {
  const MenuItem &item = menu.items[size_t(index)];
  UINT flags = item.flags & 0xFFFF;
  if (!item.isSeparator()) flags |= MF_HILITE;
  if (system_ && menu.handle == system_) flags |= MF_SYSMENU;
  UINT idOrPosition = item.isPopup() ? UINT(index) : item.id;
  send(WM_MENUSELECT, MAKEWPARAM(idOrPosition, flags), LPARAM(menu.handle));
}

void MenuTracker::selectBarItem(int item) {
  Menu *bar = menuOf(bar_);
  if (!bar || item < 0 || size_t(item) >= bar->items.size()) return;
  barItem_ = item;
  onSystem_ = false;
  highlightBar(false);
  sendMenuSelect(*bar, item);
}

void MenuTracker::selectSystemMenu() {
  if (!hasSystemMenu()) return;
  barItem_ = -1;
  onSystem_ = true;
  highlightBar(false);
  send(WM_MENUSELECT, MAKEWPARAM(0, MF_SYSMENU | MF_POPUP | MF_HILITE), LPARAM(system_));
}

// The system menu drops from the window's top-left corner, below the caption the desktop draws.
bool MenuTracker::openPopup(bool selectFirst) {
  if (popupWindow_) return false;
  HMENU submenu = system_;
  if (!onSystem_) {
    Menu *bar = menuOf(bar_);
    if (!bar || barItem_ < 0 || size_t(barItem_) >= bar->items.size()) return false;
    const MenuItem &item = bar->items[size_t(barItem_)];
    if (!item.isPopup() || !item.isEnabled()) return false;
    submenu = item.submenu;
  }
  send(WM_INITMENUPOPUP, WPARAM(submenu), MAKELPARAM(onSystem_ ? 0 : barItem_, onSystem_));
  // The owner may have done anything in WM_INITMENUPOPUP, destroying the menu or itself included.
  Window *w = findWindow(owner_, false);
  if (done() || !w || !menuOf(submenu)) return false;
  if (onSystem_) {
    refreshSystemMenu(*w, submenu);
    return showPopup(submenu, POINT{w->rect.left, w->rect.top}, selectFirst);
  }
  RECT itemRect;
  return menuBarItemRect(*w, barItem_, itemRect) &&
         showPopup(submenu, POINT{itemRect.left, itemRect.bottom}, selectFirst);
}

bool MenuTracker::openPopupAt(HMENU menu, POINT screen) {
  send(WM_INITMENUPOPUP, WPARAM(menu), 0);
  return !done() && findWindow(owner_, false) && menuOf(menu) && showPopup(menu, screen, false);
}

bool MenuTracker::showPopup(HMENU menu, POINT screen, bool selectFirst) {
  popupWindow_ = showPopupMenu(owner_, menu, screen);
  if (!popupWindow_) return false;
  popup_ = menu;
  popupItem_ = -1;
  highlightBar(true);
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
  if (!findWindow(owner_, false)) return;
  highlightBar(false);
  send(WM_UNINITMENUPOPUP, WPARAM(menu), 0);
}

void MenuTracker::escape() {
  bool backToTop = bar_ || onSystem_;
  if (popupWindow_ && backToTop) {
    closePopup();
  } else {
    end();
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

// Slot 0 is the system menu when there is one. The system menu has nothing to show but its drop-down,
// so arriving there opens it.
void MenuTracker::moveBarSelection(int step) {
  Menu *bar = menuOf(bar_);
  if (!bar || bar->items.empty()) return;
  int system = hasSystemMenu() ? 1 : 0;
  int slots = int(bar->items.size()) + system;
  int current = onSystem_ ? 0 : barItem_ + system;
  int next = ((current + step) % slots + slots) % slots;
  bool wasOpen = popupWindow_ != nullptr;
  closePopup();
  if (system && next == 0) {
    selectSystemMenu();
  } else {
    selectBarItem(next - system);
  }
  if (wasOpen || onSystem_) openPopup(true);
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
    systemCommand_ = system_ && popup_ == system_;
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
