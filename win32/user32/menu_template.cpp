// user32: menu templates (RT_MENU, the standard format) read into a tree.
#include "user32/menu_template.h"

#include "kernel32/byte_reader.h"
#include "kernel32/utf16.h"

namespace win32 {
namespace {

constexpr uint16_t kEndOfLevel = 0x80;  // MF_END, which shares its value with MF_HILITE
constexpr int kMaxDepth = 16;

bool readLevel(ByteReader &reader, int depth, std::vector<MenuItemTemplate> &items) {
  if (depth > kMaxDepth) return false;
  for (;;) {
    MenuItemTemplate item;
    uint16_t option = reader.u16();
    item.flags = option & ~kEndOfLevel;
    if (!item.isPopup()) item.id = reader.u16();
    item.text = utf16ToUtf8(reader.wideString());
    if (!reader.ok()) return false;
    if (item.isPopup() && !readLevel(reader, depth + 1, item.children)) return false;
    items.push_back(std::move(item));
    if (option & kEndOfLevel) return true;
  }
}

}  // namespace

std::optional<std::vector<MenuItemTemplate>> parseMenuTemplate(std::span<const uint8_t> bytes) {
  ByteReader reader(bytes);
  uint16_t version = reader.u16();
  uint16_t headerSize = reader.u16();
  reader.skip(headerSize);
  if (!reader.ok() || version != 0) return std::nullopt;
  std::vector<MenuItemTemplate> items;
  if (!readLevel(reader, 0, items)) return std::nullopt;
  return items;
}

}  // namespace win32
