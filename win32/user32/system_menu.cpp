// user32: the system menu — Restore, Move, Size, Minimize, Maximize and Close.
#include "user32/system_menu.h"

#include "user32/menu.h"
#include "user32/system_texts.h"

namespace win32 {
namespace {

HMENU makeSystemMenu() {
  const SystemTexts &t = systemTexts();
  HMENU handle = newMenu();
  Menu &menu = *findMenu(handle, false);
  const struct {
    UINT id;
    const char *text;
  } items[] = {{SC_RESTORE, t.restore},   {SC_MOVE, t.move}, {SC_SIZE, t.size},  {SC_MINIMIZE, t.minimize},
               {SC_MAXIMIZE, t.maximize}, {0, nullptr},      {SC_CLOSE, t.close}};
  for (const auto &item : items)
    appendItem(menu, item.text ? MF_STRING : MF_SEPARATOR, item.id, item.text ? item.text : "", nullptr);
  // Close is the default item, what a double click on the caption's icon does.
  SetMenuDefaultItem(handle, SC_CLOSE, FALSE);
  return handle;
}

void grey(HMENU menu, UINT id, bool grayed) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

}  // namespace

HMENU systemMenuOf(Window &w) {
  if (!(w.style & WS_SYSMENU)) return nullptr;
  if (!findMenu(w.systemMenu, false)) w.systemMenu = makeSystemMenu();
  return w.systemMenu;
}

// The stand-in cannot maximise a window, so only minimised counts as a state to restore from.
void refreshSystemMenu(const Window &w, HMENU menu) {
  bool minimized = w.top && w.top->minimized;
  grey(menu, SC_RESTORE, !minimized);
  grey(menu, SC_SIZE, !(w.style & WS_THICKFRAME) || minimized);
  grey(menu, SC_MINIMIZE, !(w.style & WS_MINIMIZEBOX) || minimized);
  grey(menu, SC_MAXIMIZE, !(w.style & WS_MAXIMIZEBOX));
  if (w.cls && (w.cls->style & CS_NOCLOSE)) grey(menu, SC_CLOSE, true);
}

}  // namespace win32

using namespace win32;

// With `revert` the window's copy is dropped, and the next call makes a fresh one.
extern "C" HMENU WINAPI GetSystemMenu(HWND hwnd, BOOL revert) {
  Window *w = findWindow(hwnd);
  if (!w) return nullptr;
  if (revert) {
    if (w->systemMenu) DestroyMenu(w->systemMenu);
    w->systemMenu = nullptr;
    return nullptr;
  }
  return systemMenuOf(*w);
}
