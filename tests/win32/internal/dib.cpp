// The stand-in's own DIB and icon decoding, which its toolbar and icons are drawn from: the program's
// toolbar strip and icon, hand-made bitmaps and broken ones.
#include "gdi32/dib.h"

#include <gtest/gtest.h>

#include <map>

#include "kernel32/resource.h"
#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kGrey = 0xFFC0C0C0, kNavy = 0xFF000080;

// A packed DIB whose rows are given top-down as pixel values (palette indexes, or 0xRRGGBB), stored
// bottom-up for a positive height. `maskRows` (top-down, 1 = transparent) makes it an icon image.
ByteBuilder makeDib(int width, int height, int bitCount, std::vector<uint32_t> palette,
                    std::vector<std::vector<uint32_t>> rows, std::vector<std::vector<int>> maskRows = {}) {
  bool icon = !maskRows.empty();
  ByteBuilder bytes;
  bytes.u32(40).u32(width).u32(static_cast<uint32_t>(icon ? height * 2 : height)).u16(1).u16(bitCount);
  bytes.u32(0).u32(0).u32(0).u32(0).u32(static_cast<uint32_t>(palette.size())).u32(0);
  for (uint32_t rgb : palette) bytes.u32(rgb);  // 0x00RRGGBB is blue, green, red, 0 in memory
  int rowCount = std::abs(height);
  auto storedIndex = [&](int i) { return height > 0 ? rowCount - 1 - i : i; };
  for (int i = 0; i < rowCount; ++i) {
    const std::vector<uint32_t> &row = rows[storedIndex(i)];
    ByteBuilder line;
    uint32_t bits = 0;
    int used = 0;
    for (uint32_t value : row) {
      if (bitCount >= 24) {
        for (int b = 0; b < bitCount / 8; ++b) line.u8((value >> (8 * b)) & 0xFF);
        continue;
      }
      bits = bits << bitCount | value;
      used += bitCount;
      if (used == 8) {
        line.u8(static_cast<uint8_t>(bits));
        bits = 0;
        used = 0;
      }
    }
    if (used) line.u8(static_cast<uint8_t>(bits << (8 - used)));
    bytes.append(line.align4().span());
  }
  for (int i = 0; i < static_cast<int>(maskRows.size()); ++i) {
    ByteBuilder line;
    uint8_t bits = 0;
    for (size_t x = 0; x < maskRows[storedIndex(i)].size(); ++x) bits |= maskRows[storedIndex(i)][x] << (7 - x);
    bytes.append(line.u8(bits).align4().span());
  }
  return bytes;
}

TEST(Dib, ToolbarStrip) {
  std::optional<win32::Dib> strip = win32::loadBitmapResource(MAKEINTRESOURCEA(IDB_TOOLBAR));
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->image.width, 126);
  EXPECT_EQ(strip->image.height, 17);
  EXPECT_EQ(strip->bitCount, 4);
  const std::vector<uint32_t> vga = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                                     0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                     0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
  EXPECT_EQ(strip->palette, vga);
  // Every 18-pixel image sits on the button face, which the toolbar replaces with its own colour.
  for (int image = 0; image < 7; ++image) {
    EXPECT_EQ(strip->image.at(18 * image, 0), kGrey) << image;
    EXPECT_EQ(strip->image.at(18 * image + 17, 16), kGrey) << image;
  }
  // A few pixels of the art in resources/draw_pixel_art.py, chosen to differ from their mirror image.
  struct Pixel {
    int x, y;
    uint32_t color;
  } pixels[] = {{18 + 2, 2, kNavy}, {72 + 4, 2, kWhite}, {108 + 7, 5, kBlack}, {2, 3, 0xFFFFFF00}};
  for (const Pixel &p : pixels) EXPECT_EQ(strip->image.at(p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST(Dib, ProgramIconHasTwoImagesWithTransparency) {
  std::vector<win32::Image> images = win32::loadIconResource(MAKEINTRESOURCEA(IDI_OXBYTE));
  ASSERT_EQ(images.size(), 2u);
  const win32::Image *large = win32::closestImage(images, 32);
  const win32::Image *small = win32::closestImage(images, 16);
  ASSERT_TRUE(large && small);
  EXPECT_EQ(large->width, 32);
  EXPECT_EQ(large->height, 32);
  EXPECT_EQ(small->width, 16);
  EXPECT_EQ(small->height, 16);
  EXPECT_EQ(large->at(0, 0) >> 24, 0u);    // outside the window: transparent
  EXPECT_EQ(large->at(31, 31) >> 24, 0u);
  EXPECT_EQ(large->at(1, 1), kBlack);      // its frame
  EXPECT_EQ(large->at(30, 3) >> 24, 0xFFu);  // its shadow
  EXPECT_EQ(small->at(0, 0), kBlack);
  EXPECT_EQ(small->at(2, 1), kWhite);      // caption text, near the top
  EXPECT_EQ(win32::closestImage(images, 20), small);
  EXPECT_EQ(win32::closestImage(images, 24), large);  // a tie goes to the larger image
  EXPECT_EQ(win32::closestImage(images, 256), large);
  EXPECT_EQ(win32::closestImage({}, 16), nullptr);
}

TEST(Dib, DecodesEveryBitDepthInBothRowOrders) {
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  struct Case {
    int bitCount;
    std::vector<std::vector<uint32_t>> rows;
    std::vector<uint32_t> expected;  // top-down
  } cases[] = {
      {1, {{1, 0, 1}, {0, 1, 0}}, {0xFFFF0000, kBlack, 0xFFFF0000, kBlack, 0xFFFF0000, kBlack}},
      {4, {{3, 2, 1}, {0, 1, 2}}, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, kBlack, 0xFFFF0000, 0xFF00FF00}},
      {8, {{2, 2, 3}, {1, 0, 0}}, {0xFF00FF00, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000, kBlack, kBlack}},
      {24, {{0x123456, 0xABCDEF, 0}, {1, 2, 3}}, {0xFF123456, 0xFFABCDEF, kBlack, 0xFF000001, 0xFF000002, 0xFF000003}},
      // GDI ignores a bitmap's fourth byte.
      {32, {{0x7F123456, 0, 0}, {0, 0, 0xFFFFFF}}, {0xFF123456, kBlack, kBlack, kBlack, kBlack, kWhite}},
  };
  for (const Case &c : cases) {
    for (int height : {2, -2}) {
      SCOPED_TRACE(testing::Message() << c.bitCount << " bits, height " << height);
      std::vector<uint32_t> colors = c.bitCount <= 8 ? palette : std::vector<uint32_t>{};
      if (c.bitCount == 1) colors.resize(2);
      ByteBuilder bytes = makeDib(3, height, c.bitCount, colors, c.rows);
      std::optional<win32::Dib> dib = win32::decodeDib(bytes.span());
      ASSERT_TRUE(dib);
      EXPECT_EQ(dib->bitCount, c.bitCount);
      EXPECT_EQ(dib->image.width, 3);
      EXPECT_EQ(dib->image.height, 2);
      EXPECT_EQ(dib->image.pixels, c.expected);
    }
  }
}

TEST(Dib, IndexesPastAShortPaletteAreBlack) {
  ByteBuilder bytes = makeDib(2, 1, 4, {0xFFFFFF, 0xFF0000}, {{1, 9}});
  std::optional<win32::Dib> dib = win32::decodeDib(bytes.span());
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->palette.size(), 2u);
  EXPECT_EQ(dib->image.pixels, (std::vector<uint32_t>{0xFFFF0000, kBlack}));
}

TEST(Dib, RefusesWhatItCannotDecode) {
  auto patched = [](ByteBuilder bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.bytes[offset + i] = (value >> (8 * i)) & 0xFF;
    return bytes;
  };
  auto patched16 = [](ByteBuilder bytes, size_t offset, uint16_t value) {
    bytes.bytes[offset] = value & 0xFF;
    bytes.bytes[offset + 1] = value >> 8;
    return bytes;
  };
  ByteBuilder good = makeDib(3, 2, 8, {0, 0xFFFFFF}, {{0, 1, 0}, {1, 0, 1}});
  ASSERT_TRUE(win32::decodeDib(good.span()));
  struct Case {
    const char *what;
    ByteBuilder bytes;
  } cases[] = {
      {"core header", patched(good, 0, 12)},
      {"header past the end", patched(good, 0, 124)},
      {"zero width", patched(good, 4, 0)},
      {"negative width", patched(good, 4, 0xFFFFFFFF)},
      {"zero height", patched(good, 8, 0)},
      {"smallest height", patched(good, 8, 0x80000000)},
      {"huge width", patched(good, 4, 1000000)},
      {"two planes", patched16(good, 12, 2)},
      {"16 bits", patched16(good, 14, 16)},
      {"run-length encoded", patched(good, 16, 1)},
      {"palette larger than 8 bits allow", patched(good, 32, 257)},
      {"palette past the end", patched(good, 32, 200)},
  };
  for (const Case &c : cases) EXPECT_FALSE(win32::decodeDib(c.bytes.span())) << c.what;

  std::span<const uint8_t> real = win32::findResourceData(RT_BITMAP, MAKEINTRESOURCEA(IDB_TOOLBAR));
  ASSERT_FALSE(real.empty());
  for (size_t length = 0; length < real.size(); ++length) {
    std::vector<uint8_t> cut(real.begin(), real.begin() + length);
    EXPECT_FALSE(win32::decodeDib(cut)) << length;
  }
}

TEST(IconImage, MaskOrOwnAlphaDecidesTransparency) {
  ByteBuilder masked = makeDib(2, 2, 4, {0, 0xFFFFFF}, {{1, 0}, {0, 1}}, {{1, 0}, {0, 0}});
  std::optional<win32::Image> image = win32::decodeIconImage(masked.span());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0x00FFFFFF, kBlack, kBlack, kWhite}));

  ByteBuilder alpha = makeDib(2, 1, 32, {}, {{0x80FF0000, 0x00000000}}, {{0, 0}});
  image = win32::decodeIconImage(alpha.span());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0x80FF0000, 0}));

  ByteBuilder noAlpha = makeDib(2, 1, 32, {}, {{0xFF0000, 0x00FF00}}, {{0, 1}});
  image = win32::decodeIconImage(noAlpha.span());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFFFF0000, 0x0000FF00}));

  masked.bytes.resize(masked.size() - 1);  // the mask's last row cut short
  EXPECT_FALSE(win32::decodeIconImage(masked.span()));
}

TEST(IconGroup, LooksImagesUpByIdAndSkipsMissingOnes) {
  ByteBuilder small = makeDib(1, 1, 1, {0, 0xFFFFFF}, {{1}}, {{0}});
  std::map<uint16_t, ByteBuilder> icons = {{7, small}};
  auto iconData = [&](uint16_t id) {
    auto found = icons.find(id);
    return found == icons.end() ? std::span<const uint8_t>{} : found->second.span();
  };
  ByteBuilder group;
  group.u16(0).u16(1).u16(3);
  for (uint16_t id : {7, 8, 7}) group.u8(1).u8(1).u8(2).u8(0).u16(1).u16(1).u32(0).u16(id);
  EXPECT_EQ(win32::decodeIconGroup(group.span(), iconData).size(), 2u);

  ByteBuilder cursorGroup = group;
  cursorGroup.bytes[2] = 2;
  EXPECT_TRUE(win32::decodeIconGroup(cursorGroup.span(), iconData).empty());
  ByteBuilder truncated = group;
  truncated.bytes.resize(6 + 14 + 13);  // the second entry loses its id
  EXPECT_EQ(win32::decodeIconGroup(truncated.span(), iconData).size(), 1u);
}

}  // namespace
