// gdi32: device contexts and their attributes.
#include "gdi32/dc.h"

#include <memory>
#include <unordered_map>

namespace win32 {
namespace {

std::unordered_map<DeviceContext *, std::unique_ptr<DeviceContext>> &contexts() {
  static std::unordered_map<DeviceContext *, std::unique_ptr<DeviceContext>> all;
  return all;
}

}  // namespace

HDC createDeviceContext(Surface *surface, POINT origin, const Region &clip, HWND window) {
  auto dc = std::make_unique<DeviceContext>();
  dc->surface = surface;
  dc->origin = origin;
  dc->clip = clip;
  dc->window = window;
  dc->brush = gdiObject(GetStockObject(WHITE_BRUSH));
  dc->pen = gdiObject(GetStockObject(BLACK_PEN));
  dc->font = gdiObject(GetStockObject(SYSTEM_FONT));
  DeviceContext *raw = dc.get();
  contexts().emplace(raw, std::move(dc));
  return reinterpret_cast<HDC>(raw);
}

DeviceContext *deviceContext(HDC hdc) {
  auto *dc = reinterpret_cast<DeviceContext *>(hdc);
  return dc && contexts().count(dc) ? dc : nullptr;
}

void destroyDeviceContext(HDC hdc) { contexts().erase(reinterpret_cast<DeviceContext *>(hdc)); }

void detachDeviceContexts(HWND window) {
  for (auto &[raw, dc] : contexts())
    if (dc->window == window) {
      dc->surface = nullptr;
      dc->clip.clear();
    }
}

}  // namespace win32

using namespace win32;

extern "C" {

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ handle) {
  DeviceContext *dc = deviceContext(hdc);
  GdiObject *object = gdiObject(handle);
  if (!dc || !object) return nullptr;
  GdiObject **slot = object->kind == GdiKind::Brush ? &dc->brush
                     : object->kind == GdiKind::Pen ? &dc->pen
                     : object->kind == GdiKind::Font ? &dc->font
                                                     : &dc->bitmap;
  GdiObject *previous = *slot;
  *slot = object;
  return gdiHandle(previous);
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->textColor;
  dc->textColor = color & 0xFFFFFF;
  return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
  DeviceContext *dc = deviceContext(hdc);
  return dc ? dc->textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->bkColor;
  dc->bkColor = color & 0xFFFFFF;
  return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
  DeviceContext *dc = deviceContext(hdc);
  return dc ? dc->bkColor : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC hdc) {
  DeviceContext *dc = deviceContext(hdc);
  return dc ? dc->bkMode : 0;
}

}  // extern "C"
