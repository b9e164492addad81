// user32: dialog templates (RT_DIALOG, both DIALOG and DIALOGEX) read into plain structs.
#ifndef OXBYTE_WIN32_USER32_DIALOG_TEMPLATE_H
#define OXBYTE_WIN32_USER32_DIALOG_TEMPLATE_H

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace win32 {

// A template field that is absent, an ordinal (0xFFFF then a WORD), or a UTF-16 string (kept as UTF-8).
struct NameOrOrdinal {
  bool isOrdinal = false;
  uint16_t ordinal = 0;
  std::string name;

  bool empty() const { return !isOrdinal && name.empty(); }
};

// Coordinates are dialog units.
struct DialogItemTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;  // DIALOGEX only
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;  // a DIALOG item's id is a WORD, so -1 reads as 0xFFFF there
  NameOrOrdinal windowClass;  // 0x80 button ... 0x85 combo box, or a class name
  NameOrOrdinal text;         // an ordinal names a resource, e.g. the icon of an SS_ICON static
  std::vector<uint8_t> creationData;

  // The class name for CreateWindowEx: the predefined atoms map to their classes.
  std::string className() const;
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::string caption;
  // Present with DS_SETFONT; weight, italic and charset come only with DIALOGEX.
  uint16_t pointSize = 0;
  uint16_t weight = 0;
  bool italic = false;
  uint8_t charset = 0;
  std::string fontName;
  std::vector<DialogItemTemplate> items;
};

// Nullopt when a field, string or item runs past the end of the bytes.
std::optional<DialogTemplate> parseDialogTemplate(std::span<const uint8_t> bytes);

}  // namespace win32

#endif
