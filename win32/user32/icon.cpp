// user32: icons from the program's resources (and the stand-in's own symbols), and cursors.
#include "user32/icon.h"

#include <map>
#include <optional>
#include <memory>
#include <string>

#include "backend/driver.h"
#include "gdi32/dc.h"
#include "gdi32/dib.h"
#include "gdi32/paint.h"
#include "kernel32/module.h"
#include "kernel32/resource.h"
#include "user32/system_icons.h"
#include "user32/window.h"

namespace win32 {
namespace {

std::vector<std::unique_ptr<IconObject>> &icons() {
  static std::vector<std::unique_ptr<IconObject>> all;
  return all;
}

}  // namespace

const IconObject *iconObject(HICON icon) {
  for (auto &object : icons())
    if (reinterpret_cast<HICON>(object.get()) == icon) return object.get();
  return nullptr;
}

HICON registerIcon(std::vector<Image> images) {
  auto object = std::make_unique<IconObject>();
  object->images = std::move(images);
  HICON handle = reinterpret_cast<HICON>(object.get());
  icons().push_back(std::move(object));
  return handle;
}

void drawIconAt(HDC hdc, int x, int y, HICON icon, int size) {
  DeviceContext *dc = deviceContext(hdc);
  const IconObject *object = iconObject(icon);
  if (!dc || !object) return;
  if (const Image *image = closestImage(object->images, size))
    paint::image(*dc, x, y, *image, RECT{0, 0, image->width, image->height});
}

void setNativeIcon(Window &w, HICON icon) {
  const IconObject *object = iconObject(icon);
  if (!object || !w.top) return;
  if (const Image *image = closestImage(object->images, 32))
    backend::driver().setIcon(w.top->native, image->pixels.data(), image->width, image->height);
}

}  // namespace win32

using namespace win32;

extern "C" {

// Icons are loaded once per name and shared, as Windows shares icons loaded from resources.
// A name "#103" is the number 103, read as resource lookup reads it.
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name) && name && name[0] == '#')
    if (std::optional<ResourceId> id = resourceIdFromArgument(name); id && id->isOrdinal)
      name = MAKEINTRESOURCEA(id->ordinal);
  if (!instance) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    return systemIcon(reinterpret_cast<uintptr_t>(name));
  }
  if (!isProgramModule(instance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  static std::map<std::string, HICON> loaded;
  std::string key;  // "#7" for a resource number
  if (IS_INTRESOURCE(name))
    key.append(1, '#').append(std::to_string(reinterpret_cast<uintptr_t>(name)));
  else
    key = name;
  if (auto it = loaded.find(key); it != loaded.end()) return it->second;
  std::vector<Image> images = loadIconResource(name);
  if (images.empty()) return nullptr;
  return loaded[key] = registerIcon(std::move(images));
}

// The stand-in shows the desktop's own pointer; a cursor handle only has to be a valid, shared value.
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  static IconObject arrow, beam;
  if (instance || !IS_INTRESOURCE(name)) return nullptr;
  if (name == IDC_IBEAM) return reinterpret_cast<HCURSOR>(&beam);
  return reinterpret_cast<HCURSOR>(&arrow);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  static HCURSOR current = nullptr;
  HCURSOR old = current;
  current = cursor;
  return old;
}

BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON icon) {
  if (!deviceContext(hdc) || !iconObject(icon)) return FALSE;
  drawIconAt(hdc, x, y, icon, GetSystemMetrics(SM_CXICON));
  return TRUE;
}

}  // extern "C"
