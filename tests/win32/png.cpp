// The PNG writer: checksums against published values, and images read back from the bytes it writes.
#include "backend/headless/png.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

uint32_t bigEndian(const uint8_t *p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
  uint32_t crc;
};

std::vector<Chunk> chunksOf(const std::vector<uint8_t> &png) {
  std::vector<Chunk> chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    uint32_t size = bigEndian(&png[at]);
    Chunk chunk{std::string(png.begin() + long(at) + 4, png.begin() + long(at) + 8),
                std::vector<uint8_t>(png.begin() + long(at) + 8, png.begin() + long(at + 8 + size)),
                bigEndian(&png[at + 8 + size])};
    chunks.push_back(chunk);
    at += 12 + size;
  }
  return chunks;
}

// Undoes stored deflate blocks; fails the test on anything else.
std::vector<uint8_t> inflateStored(const std::vector<uint8_t> &z, int &blocks) {
  std::vector<uint8_t> out;
  EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0) << "zlib header check";
  size_t at = 2;
  blocks = 0;
  for (bool last = false; !last;) {
    last = z[at] & 1;
    EXPECT_EQ(z[at] >> 1, 0) << "only stored blocks";
    size_t size = z[at + 1] | z[at + 2] << 8, complement = z[at + 3] | z[at + 4] << 8;
    EXPECT_EQ(size ^ 0xFFFF, complement);
    out.insert(out.end(), z.begin() + long(at) + 5, z.begin() + long(at + 5 + size));
    at += 5 + size;
    ++blocks;
  }
  EXPECT_EQ(bigEndian(&z[at]), win32::adler32(out.data(), out.size()));
  EXPECT_EQ(at + 4, z.size());
  return out;
}

TEST(Png, ChecksumsMatchPublishedValues) {
  const char *digits = "123456789";
  EXPECT_EQ(win32::crc32(reinterpret_cast<const uint8_t *>(digits), 9), 0xCBF43926u);
  EXPECT_EQ(win32::crc32(nullptr, 0), 0u);
  const char *word = "Wikipedia";
  EXPECT_EQ(win32::adler32(reinterpret_cast<const uint8_t *>(word), 9), 0x11E60398u);
  EXPECT_EQ(win32::adler32(nullptr, 0), 1u);
}

TEST(Png, ImagesReadBackPixelForPixel) {
  struct Case {
    int width, height, blocks;
  } cases[] = {{1, 1, 1}, {3, 2, 1}, {200, 120, 2}};  // 120 rows of 601 bytes need two stored blocks
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    std::vector<uint32_t> pixels(size_t(c.width) * c.height);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    std::vector<uint8_t> png = win32::encodePng(pixels.data(), c.width, c.height);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    std::vector<Chunk> chunks = chunksOf(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    for (const Chunk &chunk : chunks) {
      std::vector<uint8_t> covered(chunk.type.begin(), chunk.type.end());
      covered.insert(covered.end(), chunk.data.begin(), chunk.data.end());
      EXPECT_EQ(chunk.crc, win32::crc32(covered.data(), covered.size())) << chunk.type;
    }
    const std::vector<uint8_t> &header = chunks[0].data;
    EXPECT_EQ(bigEndian(&header[0]), uint32_t(c.width));
    EXPECT_EQ(bigEndian(&header[4]), uint32_t(c.height));
    EXPECT_EQ(std::vector<uint8_t>(header.begin() + 8, header.end()), (std::vector<uint8_t>{8, 2, 0, 0, 0}));
    int blocks = 0;
    std::vector<uint8_t> raw = inflateStored(chunks[1].data, blocks);
    EXPECT_EQ(blocks, c.blocks);
    ASSERT_EQ(raw.size(), size_t(c.height) * (size_t(c.width) * 3 + 1));
    for (int y = 0; y < c.height; ++y) {
      const uint8_t *row = &raw[size_t(y) * (size_t(c.width) * 3 + 1)];
      EXPECT_EQ(row[0], 0) << "filter";
      for (int x = 0; x < c.width; ++x) {
        uint32_t p = pixels[size_t(y) * c.width + x];
        ASSERT_EQ(uint32_t(row[1 + 3 * x]) << 16 | uint32_t(row[2 + 3 * x]) << 8 | row[3 + 3 * x], p);
      }
    }
  }
}

TEST(Png, WritesTheFileAndRefusesWhatItCannot) {
  uint32_t pixels[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  std::string path = testing::TempDir() + "/oxbyte-png-test.png";
  ASSERT_TRUE(win32::writePng(path, pixels, 2, 2));
  std::vector<uint8_t> expected = win32::encodePng(pixels, 2, 2), written(expected.size() + 1);
  FILE *file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  written.resize(std::fread(written.data(), 1, written.size(), file));
  std::fclose(file);
  std::remove(path.c_str());
  EXPECT_EQ(written, expected);
  EXPECT_FALSE(win32::writePng(path, pixels, 0, 2));
  EXPECT_FALSE(win32::writePng("/nonexistent-dir/x.png", pixels, 2, 2));
}

}  // namespace
