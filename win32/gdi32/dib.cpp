// gdi32: device-independent bitmaps and icons from resources, decoded into Images.
#include "gdi32/dib.h"

#include <cstdlib>

#include "kernel32/byte_reader.h"
#include "kernel32/resource.h"

namespace win32 {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; V4 and V5 headers are longer
constexpr uint32_t kMaxHeaderSize = 124;
constexpr uint32_t kUncompressed = 0;  // BI_RGB
constexpr int32_t kMaxDimension = 16384;
constexpr uint32_t kOpaque = 0xFF000000;

// Where the parts of a DIB lie, and how its rows are laid out.
struct DibLayout {
  int width = 0;
  int height = 0;  // of the colour image
  bool topDown = false;
  int bitCount = 0;
  size_t stride = 0;
  std::vector<uint32_t> palette;
  size_t bitsOffset = 0;  // the first stored row
};

size_t strideFor(int width, int bitCount) { return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4; }

bool supportedBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

// Reads the header and colour table; `heightDivisor` is 2 for icons, whose height counts the mask too.
std::optional<DibLayout> readLayout(std::span<const uint8_t> bytes, int heightDivisor) {
  ByteReader reader(bytes);
  uint32_t headerSize = reader.u32();
  int32_t width = reader.i32();
  int32_t storedHeight = reader.i32();
  uint16_t planes = reader.u16();
  DibLayout layout;
  layout.bitCount = reader.u16();
  uint32_t compression = reader.u32();
  reader.skip(12);  // image size, resolution
  uint32_t colorsUsed = reader.u32();
  if (!reader.ok() || headerSize < kInfoHeaderSize || headerSize > kMaxHeaderSize || planes != 1 ||
      compression != kUncompressed || !supportedBitCount(layout.bitCount)) {
    return std::nullopt;
  }
  int32_t height = storedHeight == INT32_MIN ? 0 : std::abs(storedHeight) / heightDivisor;
  if (width <= 0 || width > kMaxDimension || height <= 0 || height > kMaxDimension) return std::nullopt;
  layout.width = width;
  layout.height = height;
  layout.topDown = storedHeight < 0;
  layout.stride = strideFor(width, layout.bitCount);

  // Up to 8 bits a table of 2^n colours follows, or fewer when biClrUsed says so; above 8 bits the
  // optional table is only a hint for palette devices and is skipped.
  size_t maxColors = layout.bitCount <= 8 ? size_t{1} << layout.bitCount : 256;
  size_t tableSize = colorsUsed != 0 ? colorsUsed : (layout.bitCount <= 8 ? maxColors : 0);
  if (tableSize > maxColors) return std::nullopt;
  reader = ByteReader(bytes, headerSize);
  for (size_t i = 0; i < tableSize; ++i) {
    uint32_t quad = reader.u32();  // blue, green, red, reserved
    if (layout.bitCount <= 8) layout.palette.push_back(kOpaque | (quad & 0xFFFFFF));
  }
  layout.bitsOffset = reader.offset();
  if (!reader.ok() || layout.stride * height > reader.remaining()) return std::nullopt;
  return layout;
}

// Row y of the picture (0 is the top) as stored in the bits starting at `bitsOffset`.
std::span<const uint8_t> storedRow(std::span<const uint8_t> bytes, size_t bitsOffset, size_t stride, int height,
                                   bool topDown, int y) {
  int storedIndex = topDown ? y : height - 1 - y;
  return bytes.subspan(bitsOffset + stride * storedIndex, stride);
}

uint32_t pixelAt(std::span<const uint8_t> row, const DibLayout &layout, int x) {
  auto lookUp = [&](size_t index) { return index < layout.palette.size() ? layout.palette[index] : kOpaque; };
  switch (layout.bitCount) {
    case 1: return lookUp((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return lookUp((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8: return lookUp(row[x]);
    case 24: return kOpaque | row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x];
    default: return static_cast<uint32_t>(row[4 * x + 3]) << 24 | row[4 * x + 2] << 16 | row[4 * x + 1] << 8 | row[4 * x];
  }
}

Image decodePixels(std::span<const uint8_t> bytes, const DibLayout &layout) {
  Image image;
  image.width = layout.width;
  image.height = layout.height;
  image.pixels.resize(static_cast<size_t>(layout.width) * layout.height);
  for (int y = 0; y < layout.height; ++y) {
    std::span<const uint8_t> row = storedRow(bytes, layout.bitsOffset, layout.stride, layout.height, layout.topDown, y);
    for (int x = 0; x < layout.width; ++x) image.pixels[static_cast<size_t>(y) * layout.width + x] = pixelAt(row, layout, x);
  }
  return image;
}

bool hasAlpha(const Image &image) {
  for (uint32_t pixel : image.pixels) {
    if (pixel >> 24 != 0) return true;
  }
  return false;
}

void makeOpaque(Image &image) {
  for (uint32_t &pixel : image.pixels) pixel |= kOpaque;
}

// The AND mask follows the colour rows, in the same row order, at one bit per pixel.
size_t maskOffset(const DibLayout &layout) { return layout.bitsOffset + layout.stride * layout.height; }

bool maskFits(std::span<const uint8_t> bytes, const DibLayout &layout) {
  return strideFor(layout.width, 1) * layout.height <= bytes.size() - maskOffset(layout);
}

void applyMask(std::span<const uint8_t> bytes, const DibLayout &layout, Image &image) {
  size_t maskStride = strideFor(layout.width, 1);
  for (int y = 0; y < layout.height; ++y) {
    std::span<const uint8_t> row = storedRow(bytes, maskOffset(layout), maskStride, layout.height, layout.topDown, y);
    for (int x = 0; x < layout.width; ++x) {
      uint32_t &pixel = image.pixels[static_cast<size_t>(y) * layout.width + x];
      bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      pixel = transparent ? pixel & 0x00FFFFFF : pixel | kOpaque;
    }
  }
}

}  // namespace

std::optional<Dib> decodeDib(std::span<const uint8_t> bytes) {
  std::optional<DibLayout> layout = readLayout(bytes, 1);
  if (!layout) return std::nullopt;
  Dib dib;
  dib.image = decodePixels(bytes, *layout);
  makeOpaque(dib.image);  // a bitmap's fourth byte is not alpha to GDI
  dib.bitCount = layout->bitCount;
  dib.palette = layout->palette;
  return dib;
}

std::optional<Image> decodeIconImage(std::span<const uint8_t> bytes) {
  std::optional<DibLayout> layout = readLayout(bytes, 2);
  if (!layout || !maskFits(bytes, *layout)) return std::nullopt;
  Image image = decodePixels(bytes, *layout);
  if (layout->bitCount != 32 || !hasAlpha(image)) applyMask(bytes, *layout, image);
  return image;
}

std::vector<Image> decodeIconGroup(std::span<const uint8_t> group,
                                   const std::function<std::span<const uint8_t>(uint16_t id)> &iconData) {
  constexpr uint16_t kIconType = 1;
  constexpr size_t kEntrySize = 14;
  ByteReader reader(group);
  uint16_t reserved = reader.u16();
  uint16_t type = reader.u16();
  uint16_t count = reader.u16();
  std::vector<Image> images;
  if (!reader.ok() || reserved != 0 || type != kIconType) return images;
  for (uint16_t i = 0; i < count; ++i) {
    reader.skip(kEntrySize - 2);  // size, colours, planes, bit count, bytes in resource
    uint16_t id = reader.u16();
    if (!reader.ok()) break;
    if (std::optional<Image> image = decodeIconImage(iconData(id))) images.push_back(std::move(*image));
  }
  return images;
}

const Image *closestImage(const std::vector<Image> &images, int size) {
  const Image *best = nullptr;
  for (const Image &image : images) {
    int distance = std::abs(image.width - size);
    int bestDistance = best ? std::abs(best->width - size) : 0;
    if (!best || distance < bestDistance || (distance == bestDistance && image.width > best->width)) best = &image;
  }
  return best;
}

std::optional<Dib> loadBitmapResource(LPCSTR name) { return decodeDib(findResourceData(RT_BITMAP, name)); }

std::vector<Image> loadIconResource(LPCSTR name) {
  return decodeIconGroup(findResourceData(RT_GROUP_ICON, name),
                         [](uint16_t id) { return findResourceData(RT_ICON, MAKEINTRESOURCEA(id)); });
}

}  // namespace win32
