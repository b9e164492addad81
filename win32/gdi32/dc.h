// gdi32: device contexts — where drawing lands in a window's surface, clipped, with the selected objects.
#ifndef OXBYTE_WIN32_GDI32_DC_H
#define OXBYTE_WIN32_GDI32_DC_H

#include <windows.h>

#include "gdi32/objects.h"
#include "gdi32/region.h"
#include "gdi32/surface.h"

namespace win32 {

struct DeviceContext {
  Surface *surface = nullptr;
  POINT origin{0, 0};  // where logical (0, 0) lies on the surface
  Region clip;         // surface coordinates; drawing outside it is dropped
  HWND window = nullptr;
  GdiObject *brush = nullptr;
  GdiObject *pen = nullptr;
  GdiObject *font = nullptr;
  GdiObject *bitmap = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  POINT position{0, 0};
};

// A new device context with Windows' defaults (white brush, black pen, system font, black text on an
// opaque white background).
HDC createDeviceContext(Surface *surface, POINT origin, const Region &clip, HWND window);
DeviceContext *deviceContext(HDC hdc);
void destroyDeviceContext(HDC hdc);
// Device contexts of a window that is going away draw nowhere from then on.
void detachDeviceContexts(HWND window);

}  // namespace win32

#endif
