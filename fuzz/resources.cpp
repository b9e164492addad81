// Fuzz target: arbitrary bytes as a compiled resource image, and as the data of each kind of resource the
// program reads (menus, dialogs, accelerators, bitmaps, icons, the version block). A reader may refuse the
// bytes; it must never read outside them, loop or ask for absurd amounts of memory.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gdi32/dib.h"
#include "kernel32/resource.h"
#include "user32/accel_table.h"
#include "user32/dialog_template.h"
#include "user32/menu_template.h"
#include "user32/version_info.h"

namespace {

// What the program loaders do with one resource's data, by its type.
void readAsEveryKind(std::span<const uint8_t> data, const win32::ResourceDirectory *directory) {
  win32::parseMenuTemplate(data);
  win32::parseDialogTemplate(data);
  win32::parseAcceleratorTable(data);
  win32::decodeDib(data);
  win32::decodeIconImage(data);
  win32::versionString(data, "ProductName");
  win32::decodeIconGroup(data, [directory](uint16_t id) -> std::span<const uint8_t> {
    if (!directory) return {};
    DWORD error = 0;
    const win32::ResourceEntry *icon =
        directory->find(win32::ResourceId::fromOrdinal(3), win32::ResourceId::fromOrdinal(id), error);
    return icon ? icon->data : std::span<const uint8_t>{};
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  std::optional<win32::ResourceDirectory> directory = win32::ResourceDirectory::parse(bytes);
  if (directory) {
    for (const win32::ResourceEntry &entry : directory->entries()) {
      // Every entry's data lies inside the image it was read from.
      if (entry.data.data() < data || entry.data.data() + entry.data.size() > data + size) std::abort();
      readAsEveryKind(entry.data, &*directory);
    }
  }
  readAsEveryKind(bytes, directory ? &*directory : nullptr);
  return 0;
}
