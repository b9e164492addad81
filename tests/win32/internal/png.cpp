// The PNG writer: checksums against published values, and images read back from the bytes it writes.
#include "backend/headless/png.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

uint32_t bigEndian(const uint8_t *p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

TEST(Png, ChecksumsMatchPublishedValues) {
  EXPECT_EQ(win32::crc32(reinterpret_cast<const uint8_t *>("123456789"), 9), 0xCBF43926u);
  EXPECT_EQ(win32::adler32(reinterpret_cast<const uint8_t *>("Wikipedia"), 9), 0x11E60398u);
}

// Walks the chunks (each checked against its CRC), undoes the stored deflate blocks of IDAT and compares
// every pixel. 120 rows of 601 bytes need two stored blocks.
TEST(Png, ImagesReadBackPixelForPixel) {
  struct Case {
    int width, height, blocks;
  } cases[] = {{1, 1, 1}, {3, 2, 1}, {200, 120, 2}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    std::vector<uint32_t> pixels(size_t(c.width) * c.height);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    std::vector<uint8_t> png = win32::encodePng(pixels.data(), c.width, c.height);
    ASSERT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    std::vector<std::string> types;
    std::vector<uint8_t> header, z;
    for (size_t at = 8; at + 12 <= png.size();) {
      uint32_t size = bigEndian(&png[at]);
      types.emplace_back(png.begin() + long(at) + 4, png.begin() + long(at) + 8);
      EXPECT_EQ(bigEndian(&png[at + 8 + size]), win32::crc32(&png[at + 4], size + 4)) << types.back();
      std::vector<uint8_t> data(png.begin() + long(at) + 8, png.begin() + long(at + 8 + size));
      (types.back() == "IHDR" ? header : z) = data;
      at += 12 + size;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(bigEndian(&header[0]), uint32_t(c.width));
    EXPECT_EQ(bigEndian(&header[4]), uint32_t(c.height));
    EXPECT_EQ(std::vector<uint8_t>(header.begin() + 8, header.end()), (std::vector<uint8_t>{8, 2, 0, 0, 0}));
    std::vector<uint8_t> raw;
    int blocks = 0;
    size_t at = 2;
    for (bool last = false; !last; ++blocks) {
      last = z[at] & 1;
      size_t size = z[at + 1] | z[at + 2] << 8;
      EXPECT_EQ(size ^ 0xFFFF, size_t(z[at + 3] | z[at + 4] << 8));
      raw.insert(raw.end(), z.begin() + long(at) + 5, z.begin() + long(at + 5 + size));
      at += 5 + size;
    }
    EXPECT_EQ(blocks, c.blocks);
    EXPECT_EQ(bigEndian(&z[at]), win32::adler32(raw.data(), raw.size()));
    ASSERT_EQ(raw.size(), size_t(c.height) * (size_t(c.width) * 3 + 1));
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const uint8_t *p = &raw[size_t(y) * (size_t(c.width) * 3 + 1) + 1 + 3 * x];
        ASSERT_EQ(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2], pixels[size_t(y) * c.width + x]);
      }
  }
  EXPECT_FALSE(win32::writePng(testing::TempDir() + "/empty.png", nullptr, 0, 0));
  uint32_t pixel = 0;
  EXPECT_FALSE(win32::writePng("/nonexistent-dir/x.png", &pixel, 1, 1));
}

}  // namespace
