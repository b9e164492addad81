// gdi32: brushes, pens, fonts and bitmaps behind GDI handles.
#ifndef OXBYTE_WIN32_GDI32_OBJECTS_H
#define OXBYTE_WIN32_GDI32_OBJECTS_H

#include <windows.h>

#include "gdi32/image.h"

namespace win32 {

enum class GdiKind { Brush, Pen, Font, Bitmap };

struct GdiObject {
  GdiKind kind;
  bool stock = false;
  bool hollow = false;      // NULL_BRUSH / NULL_PEN: draws nothing
  COLORREF color = 0;
  int penWidth = 1;
  Image image;              // bitmaps
};

// The object behind a handle, or null when the handle is not a live GDI object.
GdiObject *gdiObject(HGDIOBJ handle);
GdiObject *gdiObjectOf(HGDIOBJ handle, GdiKind kind);
HGDIOBJ gdiHandle(GdiObject *object);
HBITMAP createBitmapObject(Image image);

}  // namespace win32

#endif
