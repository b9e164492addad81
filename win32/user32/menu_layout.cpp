// user32: where menu items go — the menu bar's rows and a drop-down menu's items.
#include "user32/menu_layout.h"

#include <algorithm>

#include "gdi32/font.h"

namespace win32 {

int labelWidth(std::string_view label) {
  int width = 0;
  for (size_t i = 0; i < label.size();) {
    if (label[i] == '&' && i + 1 < label.size()) ++i;
    width += font::glyph(font::nextCodePoint(label, i)).width;
  }
  return width;
}

BarLayout layoutMenuBar(const Menu &bar, int width) {
  const int rowHeight = GetSystemMetrics(SM_CYMENU);
  BarLayout layout;
  int x = 0, y = 0;
  for (const MenuItem &item : bar.items) {
    int itemWidth = labelWidth(item.label()) + 2 * kBarItemPadding;
    if (x > 0 && x + itemWidth > width) {
      x = 0;
      y += rowHeight;
    }
    layout.items.push_back(RECT{x, y, x + itemWidth, y + rowHeight});
    x += itemWidth;
  }
  layout.height = y + rowHeight;
  return layout;
}

PopupLayout layoutPopup(const Menu &menu) {
  const int itemHeight = GetSystemMetrics(SM_CYMENU);
  int widestLabel = 0, widestShortcut = 0;
  for (const MenuItem &item : menu.items) {
    if (item.isSeparator()) continue;
    widestLabel = std::max(widestLabel, labelWidth(item.label()) + bool(item.flags & MF_DEFAULT));  // bold
    widestShortcut = std::max(widestShortcut, labelWidth(item.shortcut()));
  }
  PopupLayout layout;
  layout.shortcutLeft = kPopupTextIndent + widestLabel + kShortcutGap;
  int inner = (widestShortcut ? layout.shortcutLeft + widestShortcut : kPopupTextIndent + widestLabel) +
              kPopupTextIndent;
  layout.width = inner + 2 * kPopupBorder;
  int y = kPopupBorder;
  for (const MenuItem &item : menu.items) {
    int height = item.isSeparator() ? kSeparatorHeight : itemHeight;
    layout.items.push_back(RECT{kPopupBorder, y, kPopupBorder + inner, y + height});
    y += height;
  }
  layout.height = y + kPopupBorder;
  return layout;
}

int itemAt(const std::vector<RECT> &items, POINT point) {
  for (size_t i = 0; i < items.size(); ++i)
    if (point.x >= items[i].left && point.x < items[i].right && point.y >= items[i].top && point.y < items[i].bottom)
      return int(i);
  return -1;
}

}  // namespace win32
