// user32: menu templates (RT_MENU, the standard format) read into a tree.
#ifndef OXBYTE_WIN32_USER32_MENU_TEMPLATE_H
#define OXBYTE_WIN32_USER32_MENU_TEMPLATE_H

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace win32 {

struct MenuItemTemplate {
  uint16_t flags = 0;  // MF_GRAYED, MF_CHECKED, MF_POPUP, ... as stored; MF_END is removed
  uint16_t id = 0;     // pop-ups have none
  std::string text;    // UTF-8
  std::vector<MenuItemTemplate> children;

  bool isPopup() const { return (flags & MF_POPUP) != 0; }
  bool isGrayed() const { return (flags & MF_GRAYED) != 0; }
  // A plain item without text is a separator: that is how resource compilers write MENUITEM SEPARATOR.
  bool isSeparator() const { return (flags & MF_SEPARATOR) != 0 || (!isPopup() && text.empty()); }
};

// The header (version 0, offset to the items), then items: option word, an id unless the item is a
// pop-up, and the text. A pop-up's items follow it; the last item of each level carries MF_END.
// Nullopt for any other version, for items running past the end, or for nesting deeper than any
// real menu has.
std::optional<std::vector<MenuItemTemplate>> parseMenuTemplate(std::span<const uint8_t> bytes);

}  // namespace win32

#endif
