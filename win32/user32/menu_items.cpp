// user32: reading and changing menu items — counts, identifiers, texts and enable states.
#include <algorithm>
#include <cstring>

#include "gdi32/font.h"
#include "user32/menu.h"

using namespace win32;

namespace {

constexpr UINT kMissing = 0xFFFFFFFF;

// The longest prefix of `text` that fits in `room` bytes without splitting a UTF-8 character.
size_t fittingPrefix(std::string_view text, size_t room) {
  size_t end = 0;
  for (size_t i = 0; i < text.size();) {
    size_t next = i;
    font::nextCodePoint(text, next);
    if (next > room) break;
    end = i = next;
  }
  return end;
}

}  // namespace

extern "C" {

HMENU WINAPI GetSubMenu(HMENU hMenu, int position) {
  Menu *menu = findMenu(hMenu);
  if (!menu || position < 0 || size_t(position) >= menu->items.size()) return nullptr;
  const MenuItem &item = menu->items[size_t(position)];
  return item.isPopup() ? item.submenu : nullptr;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
  Menu *menu = findMenu(hMenu);
  return menu ? int(menu->items.size()) : -1;
}

// Pop-up items and positions past the end give -1; separators give 0.
UINT WINAPI GetMenuItemID(HMENU hMenu, int position) {
  Menu *menu = findMenu(hMenu);
  if (!menu || position < 0 || size_t(position) >= menu->items.size()) return kMissing;
  const MenuItem &item = menu->items[size_t(position)];
  return item.isPopup() ? kMissing : item.id;
}

// Copies at most size - 1 bytes and a NUL and returns the bytes copied; without a buffer (or with size 0)
// it returns the whole length. Wine leaves a truncated copy unterminated; Windows terminates it.
int WINAPI GetMenuStringA(HMENU hMenu, UINT item, LPSTR buffer, int size, UINT flags) {
  Menu *menu = findMenu(hMenu);
  if (!menu) return 0;
  ItemRef ref = findItem(*menu, item, flags);
  if (!ref.menu) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return 0;
  }
  const std::string &text = ref.item()->text;
  if (!buffer || size <= 0) return int(text.size());
  size_t n = fittingPrefix(text, size_t(size) - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = 0;
  return int(n);
}

// Returns the item's previous MF_GRAYED | MF_DISABLED bits, or -1 when there is no such item.
BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT item, UINT enable) {
  Menu *menu = findMenu(hMenu);
  if (!menu) return -1;
  ItemRef ref = findItem(*menu, item, enable);
  if (!ref.menu) return -1;
  constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED;
  MenuItem &target = *ref.item();
  UINT previous = target.flags & kStateBits;
  target.flags = (target.flags & ~kStateBits) | (enable & kStateBits);
  return BOOL(previous);
}

// The menu's own items only, not its submenus'; (UINT)-1 leaves the menu without a default item.
BOOL WINAPI SetMenuDefaultItem(HMENU hMenu, UINT item, UINT byPosition) {
  Menu *menu = findMenu(hMenu);
  if (!menu) return FALSE;
  MenuItem *chosen = nullptr;
  for (size_t i = 0; i < menu->items.size(); ++i)
    if (item != UINT(-1) && (byPosition ? i == item : menu->items[i].id == item)) chosen = &menu->items[i];
  if (item != UINT(-1) && !chosen) return FALSE;
  for (MenuItem &each : menu->items) each.flags &= ~MF_DEFAULT;
  if (chosen) chosen->flags |= MF_DEFAULT;
  return TRUE;
}

// A pop-up item reports its item count in the high byte and its flags in the low byte.
UINT WINAPI GetMenuState(HMENU hMenu, UINT item, UINT flags) {
  Menu *menu = findMenu(hMenu);
  if (!menu) return kMissing;
  ItemRef ref = findItem(*menu, item, flags);
  if (!ref.menu) return kMissing;
  const MenuItem &target = *ref.item();
  if (!target.isPopup()) return target.flags & 0xFFFF;
  Menu *sub = findMenu(target.submenu, false);
  UINT count = sub ? UINT(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
  return (count << 8) | (target.flags & 0xFF);
}

}  // extern "C"
