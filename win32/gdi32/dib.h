// gdi32: device-independent bitmaps and icons from resources, decoded into Images.
#ifndef OXBYTE_WIN32_GDI32_DIB_H
#define OXBYTE_WIN32_GDI32_DIB_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "gdi32/image.h"

namespace win32 {

struct Dib {
  Image image;                    // opaque: alpha 0xFF everywhere
  int bitCount = 0;               // 1, 4, 8, 24 or 32
  std::vector<uint32_t> palette;  // 0xFFRRGGBB, as stored (empty above 8 bits per pixel)
};

// A packed DIB as RT_BITMAP stores it: BITMAPINFOHEADER (or a later, larger header), the colour table,
// then the rows, each padded to a DWORD, bottom-up for a positive height and top-down for a negative
// one. Only uncompressed (BI_RGB) bitmaps of 1, 4, 8, 24 and 32 bits per pixel are read; anything else,
// or pixels running past the end, gives nullopt.
std::optional<Dib> decodeDib(std::span<const uint8_t> bytes);

// One RT_ICON image: a DIB of twice the icon's height holding the colour (XOR) rows and then the 1-bit
// AND mask, whose set bits make a pixel transparent (alpha 0). A 32-bit image with any alpha set uses
// its own alpha instead of the mask.
std::optional<Image> decodeIconImage(std::span<const uint8_t> bytes);

// An RT_GROUP_ICON directory (reserved, type 1, count, then 14-byte entries ending in the RT_ICON id);
// `iconData` finds the RT_ICON data for an id. Images that are missing or do not decode are left out.
std::vector<Image> decodeIconGroup(std::span<const uint8_t> group,
                                   const std::function<std::span<const uint8_t>(uint16_t id)> &iconData);

// The image whose width is closest to `size`, the larger one on a tie; null when there is none.
const Image *closestImage(const std::vector<Image> &images, int size);

// The program's own bitmap and icon resources, for LoadBitmapA, LoadIconA and the toolbar.
std::optional<Dib> loadBitmapResource(LPCSTR name);
std::vector<Image> loadIconResource(LPCSTR name);

}  // namespace win32

#endif
