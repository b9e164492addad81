// user32: the menu loop — how the menu bar takes the keyboard and the mouse until a choice is made.
#include "user32/menu_loop.h"

#include "user32/menu_bar.h"
#include "user32/menu_popup.h"
#include "user32/menu_track.h"
#include "user32/system_menu.h"
#include "user32/window.h"
#include <windowsx.h>

namespace win32 {
namespace {

constexpr UINT kNonClientMouseLast = 0x00A9;  // WM_NCMBUTTONDBLCLK

bool running = false;

bool isNonClientMouse(UINT message) { return message >= WM_NCMOUSEMOVE && message <= kNonClientMouseLast; }
bool isMouse(UINT message) {
  return isNonClientMouse(message) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}
bool isKeyboard(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Non-client mouse messages carry screen coordinates already, the others their window's client ones.
POINT screenPointOf(const MSG &msg) {
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (isNonClientMouse(msg.message)) return p;
  Window *w = findWindow(msg.hwnd, false);
  if (!w) return POINT{-32768, -32768};
  POINT origin = screenOrigin(*w);
  RECT in = nonClientInsets(*w);
  return {origin.x + in.left + p.x, origin.y + in.top + p.y};
}

void handleKeyDown(MenuTracker &t, MSG &msg) {
  switch (msg.wParam) {
    case VK_MENU:
      // Alt held down repeats; only a fresh press leaves the menu.
      if (!(msg.lParam & (1 << 30))) t.end();
      break;
    case VK_F10: t.end(); break;
    case VK_ESCAPE: t.escape(); break;
    case VK_LEFT: t.moveBarSelection(-1); break;
    case VK_RIGHT: t.moveBarSelection(1); break;
    case VK_UP:
    case VK_DOWN:
      if (t.popupWindow()) {
        t.movePopupSelection(msg.wParam == VK_DOWN ? 1 : -1);
      } else {
        t.openPopup(true);
      }
      break;
    case VK_RETURN:
      if (t.popupWindow()) {
        t.choosePopupItem(t.popupItem());
      } else {
        t.openPopup(true);
      }
      break;
    default: TranslateMessage(&msg); break;  // letters come back as WM_CHAR or WM_SYSCHAR
  }
}

void handleKeyboard(MenuTracker &t, MSG &msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: handleKeyDown(t, msg); break;
    case WM_CHAR:
    case WM_SYSCHAR: t.accessKeyTyped(char(msg.wParam)); break;
    default: break;
  }
}

void switchBarItem(MenuTracker &t, int item, bool open) {
  t.closePopup();
  t.selectBarItem(item);
  if (open) t.openPopup(false);
}

// False when the message is left in the queue for its window: a click elsewhere closes the menu and
// still lands where it was made (Wine's behaviour).
bool handleMouse(MenuTracker &t, const MSG &msg, bool rightButton) {
  Window *owner = findWindow(t.owner(), false);
  if (!owner) return true;
  POINT pt = screenPointOf(msg);
  HWND popup = t.popupWindow();
  bool onPopup = popup && popupMenuContains(popup, pt);
  int item = onPopup ? popupMenuItemAt(popup, pt) : -1;
  // A drop-down moved back onto the screen may cover the bar; it is on top.
  int barItem = onPopup || !t.hasBar() ? -1 : menuBarItemAt(*owner, pt);
  UINT message = isNonClientMouse(msg.message) ? msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE : msg.message;
  switch (message) {
    case WM_MOUSEMOVE:
      if (barItem >= 0 && barItem != t.barItem()) {
        switchBarItem(t, barItem, popup != nullptr);
      } else if (item >= 0) {
        t.selectPopupItem(item);
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (barItem >= 0) {
        // A second click on the open item closes the menu.
        if (barItem == t.barItem() && popup) {
          t.end();
        } else {
          switchBarItem(t, barItem, true);
        }
        return true;
      }
      if (item >= 0) t.selectPopupItem(item);
      if (onPopup) return true;
      t.end();
      return false;
    case WM_RBUTTONUP:
      if (!rightButton) return true;
      [[fallthrough]];
    case WM_LBUTTONUP:
      // Greyed items and separators do nothing: the menu stays open.
      if (item >= 0 && t.isChoosable(item)) t.choosePopupItem(item);
      return true;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (barItem >= 0 || onPopup) return true;
      t.end();
      return false;
    default: return true;
  }
}

bool takeMessage(const MSG &peeked, MSG &msg) {
  return PeekMessageA(&msg, peeked.hwnd, peeked.message, peeked.message, PM_REMOVE);
}

}  // namespace

MenuMode::MenuMode() : entered_(!running) { running = true; }

MenuMode::~MenuMode() {
  if (entered_) running = false;
}

// Every message goes through here. Keyboard and mouse input drive the menu; the rest (timers, painting,
// posted messages) is dispatched as usual. WM_ENTERIDLE tells the owner each time the queue has run dry.
void runMenuLoop(MenuTracker &t, bool rightButton) {
  bool idleSent = false;
  while (!t.done() && findWindow(t.owner(), false)) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (idleSent) {
        WaitMessage();
      } else {
        idleSent = true;
        SendMessageA(t.owner(), WM_ENTERIDLE, MSGF_MENU, LPARAM(t.popupWindow()));
      }
      continue;
    }
    idleSent = false;
    if (msg.message == WM_QUIT) return;  // left for the program's own loop, which ends
    MSG taken;
    if (isMouse(msg.message)) {
      if (handleMouse(t, msg, rightButton)) takeMessage(msg, taken);
      continue;
    }
    if (!takeMessage(msg, taken)) continue;
    if (isKeyboard(taken.message)) {
      handleKeyboard(t, taken);
    } else {
      DispatchMessageA(&taken);
    }
  }
}

namespace {

// How the loop starts: a click on a bar item opens its drop-down with nothing selected (a click beside
// the items opens nothing); Alt or F10 (key 0) selects the first bar item; Alt+letter opens the drop-down
// with that access key; Alt+Space opens the system menu with its first item selected.
bool start(MenuTracker &t, Window &top, WPARAM command, LPARAM lParam) {
  if ((command & 0xFFF0) == SC_MOUSEMENU) {
    int item = menuBarItemAt(top, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    t.begin(top.menu);
    // The whole bar row is HTMENU, so a press beside the items starts the loop too; it finds no item
    // under the pointer and ends at once, the owner having been told it began.
    if (item < 0) {
      t.end();
      return true;
    }
    t.selectBarItem(item);
    t.openPopup(false);
    return true;
  }
  char key = char(lParam);
  if (key == ' ') {
    t.begin(top.systemMenu);
    t.selectSystemMenu();
    t.openPopup(true);
    return true;
  }
  t.begin(top.menu);
  if (key == 0) {
    t.selectBarItem(0);
  } else if (!t.accessKeyTyped(key)) {
    t.end();
  }
  return true;
}

}  // namespace

// Without a menu bar only Alt+Space has a menu to open: the system menu.
LRESULT trackMenu(Window &w, WPARAM command, LPARAM lParam) {
  Window *top = topLevelOf(&w);
  if (!top) return 0;
  HMENU bar = findMenu(top->menu, false) ? top->menu : nullptr;
  HMENU system = systemMenuOf(*top);
  bool systemKey = (command & 0xFFF0) == SC_KEYMENU && char(lParam) == ' ';
  if (systemKey ? !system : !bar) return 0;
  MenuMode mode;
  if (!mode.entered()) return 0;
  MenuTracker tracker(top->handle, bar, system);
  if (start(tracker, *top, command, lParam)) {
    runMenuLoop(tracker, false);
    tracker.finish();
  }
  return 0;
}

// A press on the menu bar reaches DefWindowProcA as WM_NCLBUTTONDOWN with HTMENU, which turns it into
// WM_SYSCOMMAND SC_MOUSEMENU with the screen point, as Windows does.
LRESULT menuBarMouse(Window &w, UINT message, WPARAM hit, LPARAM screenPoint) {
  if ((message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK) && hit == HTMENU && !w.isChild() &&
      findMenu(w.menu, false))
    SendMessageA(w.handle, WM_SYSCOMMAND, SC_MOUSEMENU, screenPoint);
  return 0;
}

}  // namespace win32
