// backend: a minimal PNG writer for headless screenshots (uncompressed deflate, no libraries).
#ifndef OXBYTE_WIN32_BACKEND_HEADLESS_PNG_H
#define OXBYTE_WIN32_BACKEND_HEADLESS_PNG_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

// The checksums PNG and zlib use, exposed for tests.
uint32_t crc32(const uint8_t *data, size_t size, uint32_t crc = 0);
uint32_t adler32(const uint8_t *data, size_t size, uint32_t adler = 1);

// An 8-bit RGB PNG of `pixels` (0x00RRGGBB, rows top-down) as bytes; empty for a size of zero.
std::vector<uint8_t> encodePng(const uint32_t *pixels, int width, int height);
// Writes the PNG to `path`; false when the file cannot be written.
bool writePng(const std::string &path, const uint32_t *pixels, int width, int height);

}  // namespace win32

#endif
