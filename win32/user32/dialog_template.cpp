// user32: dialog templates (RT_DIALOG, both DIALOG and DIALOGEX) read into plain structs.
#include "user32/dialog_template.h"

#include "kernel32/byte_reader.h"
#include "kernel32/utf16.h"

namespace win32 {
namespace {

constexpr uint16_t kExtendedSignature = 0xFFFF;

NameOrOrdinal readNameOrOrdinal(ByteReader &reader) {
  NameOrOrdinal field;
  uint16_t first = reader.u16();
  if (first == 0xFFFF) {
    field.isOrdinal = true;
    field.ordinal = reader.u16();
  } else if (first != 0) {
    std::u16string name(1, static_cast<char16_t>(first));
    name += reader.wideString();
    field.name = utf16ToUtf8(name);
  }
  return field;
}

void readRectangle(ByteReader &reader, int &x, int &y, int &cx, int &cy) {
  x = reader.i16();
  y = reader.i16();
  cx = reader.i16();
  cy = reader.i16();
}

// The size word counts the bytes that follow it.
std::vector<uint8_t> readCreationData(ByteReader &reader) {
  uint16_t size = reader.u16();
  std::span<const uint8_t> data = reader.bytes(size);
  return {data.begin(), data.end()};
}

void readHeader(ByteReader &reader, DialogTemplate &dialog) {
  if (dialog.extended) {
    reader.skip(4);  // version 1 and the signature
    dialog.helpId = reader.u32();
    dialog.exStyle = reader.u32();
    dialog.style = reader.u32();
  } else {
    dialog.style = reader.u32();
    dialog.exStyle = reader.u32();
  }
}

void readFont(ByteReader &reader, DialogTemplate &dialog) {
  if (!(dialog.style & DS_SETFONT)) return;
  dialog.pointSize = reader.u16();
  if (dialog.extended) {
    dialog.weight = reader.u16();
    dialog.italic = reader.u8() != 0;
    dialog.charset = reader.u8();
  }
  dialog.fontName = utf16ToUtf8(reader.wideString());
}

DialogItemTemplate readItem(ByteReader &reader, bool extended) {
  DialogItemTemplate item;
  reader.align(4);
  if (extended) {
    item.helpId = reader.u32();
    item.exStyle = reader.u32();
    item.style = reader.u32();
    readRectangle(reader, item.x, item.y, item.cx, item.cy);
    item.id = reader.u32();
  } else {
    item.style = reader.u32();
    item.exStyle = reader.u32();
    readRectangle(reader, item.x, item.y, item.cx, item.cy);
    item.id = reader.u16();
  }
  item.windowClass = readNameOrOrdinal(reader);
  item.text = readNameOrOrdinal(reader);
  item.creationData = readCreationData(reader);
  return item;
}

}  // namespace

std::string DialogItemTemplate::className() const {
  if (!windowClass.isOrdinal) return windowClass.name;
  static const char *const kPredefined[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  uint16_t atom = windowClass.ordinal;
  return atom >= 0x80 && atom <= 0x85 ? kPredefined[atom - 0x80] : std::string();
}

std::optional<DialogTemplate> parseDialogTemplate(std::span<const uint8_t> bytes) {
  ByteReader reader(bytes);
  DialogTemplate dialog;
  uint16_t version = reader.u16();
  dialog.extended = version == 1 && reader.u16() == kExtendedSignature;
  reader = ByteReader(bytes);
  readHeader(reader, dialog);
  uint16_t itemCount = reader.u16();
  readRectangle(reader, dialog.x, dialog.y, dialog.cx, dialog.cy);
  dialog.menu = readNameOrOrdinal(reader);
  dialog.windowClass = readNameOrOrdinal(reader);
  dialog.caption = utf16ToUtf8(reader.wideString());
  readFont(reader, dialog);
  for (uint16_t i = 0; i < itemCount && reader.ok(); ++i) dialog.items.push_back(readItem(reader, dialog.extended));
  if (!reader.ok()) return std::nullopt;
  return dialog;
}

}  // namespace win32
