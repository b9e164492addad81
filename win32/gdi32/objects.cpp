// gdi32: brushes, pens, fonts and bitmaps behind GDI handles.
#include "gdi32/objects.h"

#include <memory>
#include <unordered_map>


namespace win32 {
namespace {

std::unordered_map<GdiObject *, std::unique_ptr<GdiObject>> &liveObjects() {
  static std::unordered_map<GdiObject *, std::unique_ptr<GdiObject>> objects;
  return objects;
}

GdiObject *stock(int index) {
  static GdiObject table[] = {
      {GdiKind::Brush, true, false, RGB(255, 255, 255), 1, {}},  // WHITE_BRUSH
      {GdiKind::Brush, true, false, RGB(192, 192, 192), 1, {}},  // LTGRAY_BRUSH
      {GdiKind::Brush, true, false, RGB(128, 128, 128), 1, {}},  // GRAY_BRUSH
      {GdiKind::Brush, true, false, RGB(64, 64, 64), 1, {}},     // DKGRAY_BRUSH
      {GdiKind::Brush, true, false, RGB(0, 0, 0), 1, {}},        // BLACK_BRUSH
      {GdiKind::Brush, true, true, 0, 1, {}},                    // NULL_BRUSH
      {GdiKind::Pen, true, false, RGB(255, 255, 255), 1, {}},    // WHITE_PEN
      {GdiKind::Pen, true, false, RGB(0, 0, 0), 1, {}},          // BLACK_PEN
      {GdiKind::Pen, true, true, 0, 1, {}},                      // NULL_PEN
      {GdiKind::Font, true, false, 0, 1, {}},                    // 9: no stock object
      {GdiKind::Font, true, false, 0, 1, {}},                    // OEM_FIXED_FONT
      {GdiKind::Font, true, false, 0, 1, {}},                    // ANSI_FIXED_FONT
      {GdiKind::Font, true, false, 0, 1, {}},                    // ANSI_VAR_FONT
      {GdiKind::Font, true, false, 0, 1, {}},                    // SYSTEM_FONT
      {GdiKind::Font, true, false, 0, 1, {}},                    // DEVICE_DEFAULT_FONT
      {GdiKind::Font, true, false, 0, 1, {}},                    // 15: DEFAULT_PALETTE (not provided)
      {GdiKind::Font, true, false, 0, 1, {}},                    // SYSTEM_FIXED_FONT
      {GdiKind::Font, true, false, 0, 1, {}},                    // DEFAULT_GUI_FONT
  };
  if (index < 0 || index >= int(std::size(table)) || index == 9 || index == 15) return nullptr;
  return &table[index];
}

bool isStock(const GdiObject *object) {
  for (int i = 0; i <= DEFAULT_GUI_FONT; ++i)
    if (stock(i) == object) return true;
  return false;
}

HGDIOBJ adopt(std::unique_ptr<GdiObject> object) {
  GdiObject *raw = object.get();
  liveObjects().emplace(raw, std::move(object));
  return gdiHandle(raw);
}

}  // namespace

GdiObject *gdiObject(HGDIOBJ handle) {
  auto *object = static_cast<GdiObject *>(handle);
  if (!object) return nullptr;
  if (isStock(object)) return object;
  return liveObjects().count(object) ? object : nullptr;
}

GdiObject *gdiObjectOf(HGDIOBJ handle, GdiKind kind) {
  GdiObject *object = gdiObject(handle);
  return object && object->kind == kind ? object : nullptr;
}

HGDIOBJ gdiHandle(GdiObject *object) { return static_cast<HGDIOBJ>(object); }

HBITMAP createBitmapObject(Image image) {
  auto object = std::make_unique<GdiObject>(GdiObject{GdiKind::Bitmap, false, false, 0, 1, {}});
  object->image = std::move(image);
  return static_cast<HBITMAP>(adopt(std::move(object)));
}

}  // namespace win32

using namespace win32;

extern "C" {

HGDIOBJ WINAPI GetStockObject(int i) { return gdiHandle(stock(i)); }

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto object = std::make_unique<GdiObject>(GdiObject{GdiKind::Brush, false, false, 0, 1, {}});
  object->color = color & 0xFFFFFF;
  return static_cast<HBRUSH>(adopt(std::move(object)));
}

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  auto object = std::make_unique<GdiObject>(GdiObject{GdiKind::Pen, false, false, 0, 1, {}});
  object->hollow = style == PS_NULL;
  object->penWidth = width < 1 ? 1 : width;
  object->color = color & 0xFFFFFF;
  return static_cast<HPEN>(adopt(std::move(object)));
}

// Stock objects are never deleted; deleting one succeeds and changes nothing, as on Windows.
BOOL WINAPI DeleteObject(HGDIOBJ handle) {
  GdiObject *object = gdiObject(handle);
  if (!object) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!object->stock) liveObjects().erase(object);
  return TRUE;
}

}  // extern "C"
