// backend: a minimal PNG writer — stored (uncompressed) deflate blocks in a zlib stream, CRC32, Adler32.
#include "backend/headless/png.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace win32 {
namespace {

constexpr size_t kMaxStoredBlock = 65535;

const std::array<uint32_t, 256> &crcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void putBigEndian(std::vector<uint8_t> &out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

// A chunk is its length, its four-letter type, its data and the CRC of type and data.
void putChunk(std::vector<uint8_t> &out, const char *type, const std::vector<uint8_t> &data) {
  putBigEndian(out, uint32_t(data.size()));
  size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

// Each row starts with filter type 0 (none), then the red, green and blue bytes of its pixels.
std::vector<uint8_t> scanlines(const uint32_t *pixels, int width, int height) {
  std::vector<uint8_t> raw;
  raw.reserve(size_t(height) * (size_t(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[size_t(y) * width + x];
      raw.push_back(uint8_t(p >> 16));
      raw.push_back(uint8_t(p >> 8));
      raw.push_back(uint8_t(p));
    }
  }
  return raw;
}

// A zlib stream of stored blocks: header, blocks of at most 65535 bytes (final flag, length and its
// complement), then the Adler32 of the uncompressed bytes.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t> &raw) {
  std::vector<uint8_t> z{0x78, 0x01};
  size_t offset = 0;
  do {
    size_t size = std::min(kMaxStoredBlock, raw.size() - offset);
    bool last = offset + size == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(uint8_t(size));
    z.push_back(uint8_t(size >> 8));
    z.push_back(uint8_t(~size));
    z.push_back(uint8_t(~size >> 8));
    z.insert(z.end(), raw.begin() + std::ptrdiff_t(offset), raw.begin() + std::ptrdiff_t(offset + size));
    offset += size;
  } while (offset < raw.size());
  putBigEndian(z, adler32(raw.data(), raw.size()));
  return z;
}

}  // namespace

uint32_t crc32(const uint8_t *data, size_t size, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = crcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t adler32(const uint8_t *data, size_t size, uint32_t adler) {
  constexpr uint32_t kMod = 65521;
  uint32_t a = adler & 0xFFFF, b = adler >> 16;
  for (size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % kMod;
    b = (b + a) % kMod;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> encodePng(const uint32_t *pixels, int width, int height) {
  if (!pixels || width <= 0 || height <= 0) return {};
  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putBigEndian(header, uint32_t(width));
  putBigEndian(header, uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, standard filters, no interlace
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", zlibStored(scanlines(pixels, width, height)));
  putChunk(png, "IEND", {});
  return png;
}

bool writePng(const std::string &path, const uint32_t *pixels, int width, int height) {
  std::vector<uint8_t> png = encodePng(pixels, width, height);
  if (png.empty()) return false;
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace win32
