// user32: menu objects behind HMENU handles — creating, loading, destroying and finding items.
#include "user32/menu.h"

#include <cctype>
#include <memory>
#include <unordered_map>

#include "kernel32/module.h"
#include "kernel32/resource.h"

namespace win32 {
namespace {

struct MenuTable {
  std::unordered_map<uintptr_t, std::unique_ptr<Menu>> menus;
  uintptr_t nextHandle = 0x40010;  // apart from window handles, so a mixed-up handle is refused
};

MenuTable &table() {
  static MenuTable t;
  return t;
}

void destroyTree(HMENU handle) {
  auto &menus = table().menus;
  auto it = menus.find(reinterpret_cast<uintptr_t>(handle));
  if (it == menus.end()) return;
  std::unique_ptr<Menu> menu = std::move(it->second);
  menus.erase(it);
  for (const MenuItem &item : menu->items)
    if (item.isPopup()) destroyTree(item.submenu);
}

}  // namespace

std::string_view MenuItem::label() const {
  std::string_view all = text;
  return all.substr(0, all.find('\t'));
}

std::string_view MenuItem::shortcut() const {
  std::string_view all = text;
  size_t tab = all.find('\t');
  return tab == std::string_view::npos ? std::string_view() : all.substr(tab + 1);
}

Menu *findMenu(HMENU menu, bool report) {
  auto &menus = table().menus;
  auto it = menus.find(reinterpret_cast<uintptr_t>(menu));
  if (it == menus.end()) {
    if (report) SetLastError(ERROR_INVALID_MENU_HANDLE);
    return nullptr;
  }
  return it->second.get();
}

HMENU newMenu() {
  MenuTable &t = table();
  HMENU handle = reinterpret_cast<HMENU>(t.nextHandle);
  t.nextHandle += 4;
  auto menu = std::make_unique<Menu>();
  menu->handle = handle;
  t.menus.emplace(reinterpret_cast<uintptr_t>(handle), std::move(menu));
  return handle;
}

void appendItem(Menu &menu, UINT flags, UINT id, std::string text, HMENU submenu) {
  MenuItem item;
  item.flags = flags & ~(MF_BYPOSITION | MF_APPEND | MF_CHANGE | MF_DELETE | MF_REMOVE);
  item.id = item.isPopup() ? 0 : id;
  item.text = item.isSeparator() ? std::string() : std::move(text);
  item.submenu = item.isPopup() ? submenu : nullptr;
  // Windows keeps separators greyed and disabled: GetMenuState reports them as MF_SEPARATOR | 3.
  if (item.isSeparator()) item.flags |= MF_GRAYED | MF_DISABLED;
  menu.items.push_back(std::move(item));
}

HMENU menuFromTemplate(const std::vector<MenuItemTemplate> &items) {
  HMENU handle = newMenu();
  for (const MenuItemTemplate &t : items) {
    HMENU submenu = t.isPopup() ? menuFromTemplate(t.children) : nullptr;
    UINT flags = t.flags;
    if (t.isSeparator()) flags |= MF_SEPARATOR;
    appendItem(*findMenu(handle, false), flags, t.id, t.text, submenu);
  }
  return handle;
}

ItemRef findItem(Menu &menu, UINT idOrPosition, UINT flags) {
  if (flags & MF_BYPOSITION) {
    if (idOrPosition >= menu.items.size()) return {};
    return {&menu, int(idOrPosition)};
  }
  for (size_t i = 0; i < menu.items.size(); ++i) {
    MenuItem &item = menu.items[i];
    if (item.isPopup()) {
      if (Menu *sub = findMenu(item.submenu, false))
        if (ItemRef found = findItem(*sub, idOrPosition, flags); found.menu) return found;
    } else if (item.id == idOrPosition) {
      return {&menu, int(i)};
    }
  }
  return {};
}

int positionOfSubmenu(const Menu &bar, HMENU submenu) {
  for (size_t i = 0; i < bar.items.size(); ++i)
    if (bar.items[i].isPopup() && bar.items[i].submenu == submenu) return int(i);
  return -1;
}

char accessKey(std::string_view label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] == '&') {
      ++i;
      continue;
    }
    unsigned char key = static_cast<unsigned char>(label[i + 1]);
    return key < 0x80 ? char(std::tolower(key)) : 0;
  }
  return 0;
}

namespace {

HMENU loadMenu(std::span<const uint8_t> menuTemplate) {
  std::optional<std::vector<MenuItemTemplate>> items = parseMenuTemplate(menuTemplate);
  if (!items) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return menuFromTemplate(*items);
}

}  // namespace

}  // namespace win32

using namespace win32;

extern "C" {

HMENU WINAPI CreateMenu(void) { return newMenu(); }

HMENU WINAPI CreatePopupMenu(void) { return newMenu(); }

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT flags, UINT_PTR idOrSubmenu, LPCSTR text) {
  Menu *menu = findMenu(hMenu);
  if (!menu) return FALSE;
  HMENU submenu = (flags & MF_POPUP) ? reinterpret_cast<HMENU>(idOrSubmenu) : nullptr;
  // A pop-up whose handle is no menu becomes a plain item with that value as its identifier, as on Windows.
  if ((flags & MF_POPUP) && !findMenu(submenu, false)) {
    flags &= ~UINT(MF_POPUP);
    submenu = nullptr;
  }
  // A string item without a text is a separator.
  if (!(flags & MF_POPUP) && !text) flags |= MF_SEPARATOR;
  appendItem(*menu, flags, UINT(idOrSubmenu), text ? text : "", submenu);
  return TRUE;
}

HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name) {
  if (instance && !isProgramModule(instance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  std::span<const uint8_t> data = findResourceData(RT_MENU, name);
  if (data.empty()) return nullptr;
  return loadMenu(data);
}

// A template carries no size of its own: like Windows, the reading stops where its last level ends,
// which a template of any real menu does within the first megabyte.
HMENU WINAPI LoadMenuIndirectA(const MENUTEMPLATEA *menuTemplate) {
  if (!menuTemplate) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return loadMenu({static_cast<const uint8_t *>(menuTemplate), size_t(1) << 20});
}

// Destroys the menu and every pop-up hanging from it.
BOOL WINAPI DestroyMenu(HMENU hMenu) {
  if (!findMenu(hMenu)) return FALSE;
  destroyTree(hMenu);
  return TRUE;
}

}  // extern "C"
