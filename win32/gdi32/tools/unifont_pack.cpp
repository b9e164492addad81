// gdi32: packs GNU Unifont's .hex glyphs (plane 0) into the fixed table that font.cpp reads in place.
//
// Layout: 8,192 bytes of "glyph present" bits, 8,192 bytes of "glyph is 16 pixels wide" bits (one bit per
// code point, least significant bit first), then 32 bytes per code point: 16 rows of two bytes, the left
// pixel in the high bit. An 8-pixel glyph uses the first byte of each row.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: unifont_pack unifont.hex out.bin\n");
    return 2;
  }
  FILE *in = std::fopen(argv[1], "r");
  if (!in) {
    std::perror(argv[1]);
    return 1;
  }
  const size_t glyphs = 65536, bitmapBytes = glyphs / 8;
  std::vector<unsigned char> out(2 * bitmapBytes + glyphs * 32, 0);
  unsigned char *present = out.data(), *wide = out.data() + bitmapBytes, *rows = out.data() + 2 * bitmapBytes;
  char line[512];
  while (std::fgets(line, sizeof line, in)) {
    unsigned cp;
    char hex[256];
    if (std::sscanf(line, "%x:%255s", &cp, hex) != 2 || cp >= glyphs) continue;
    size_t digits = std::strlen(hex);
    if (digits != 32 && digits != 64) continue;
    int bytesPerRow = int(digits / 32);
    for (int row = 0; row < 16; ++row)
      for (int b = 0; b < bytesPerRow; ++b) {
        unsigned value;
        std::sscanf(std::string(hex + (row * bytesPerRow + b) * 2, 2).c_str(), "%x", &value);
        rows[cp * 32 + row * 2 + b] = static_cast<unsigned char>(value);
      }
    present[cp / 8] |= 1u << (cp % 8);
    if (bytesPerRow == 2) wide[cp / 8] |= 1u << (cp % 8);
  }
  std::fclose(in);
  FILE *file = std::fopen(argv[2], "wb");
  if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
