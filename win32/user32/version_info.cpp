// user32: version resources (RT_VERSION): string values looked up by key.
#include "user32/version_info.h"

#include <algorithm>
#include <vector>

#include "kernel32/byte_reader.h"
#include "kernel32/utf16.h"

namespace win32 {
namespace {

constexpr uint16_t kTextValue = 1;

size_t alignToDword(size_t offset) { return (offset + 3) & ~size_t{3}; }

// Every block is: total length, value length (in characters for text, in bytes otherwise), type, key,
// padding, value, padding, then child blocks each starting on a DWORD. The total length covers the
// children but not the padding after the block.
struct VersionBlock {
  std::u16string key;
  uint16_t type = 0;
  std::span<const uint8_t> value;
  std::span<const uint8_t> children;
};

std::optional<VersionBlock> readBlock(std::span<const uint8_t> bytes, size_t &length) {
  ByteReader reader(bytes);
  length = reader.u16();
  uint16_t valueLength = reader.u16();
  VersionBlock block;
  block.type = reader.u16();
  if (!reader.ok() || length < 6 || length > bytes.size()) return std::nullopt;
  reader = ByteReader(bytes.first(length), 6);
  block.key = reader.wideString();
  reader.align(4);
  if (!reader.ok()) return std::nullopt;
  // Some compilers count text values in bytes; never read past the block either way.
  size_t valueBytes = block.type == kTextValue ? size_t{valueLength} * 2 : valueLength;
  block.value = reader.bytes(std::min(valueBytes, reader.remaining()));
  size_t childStart = std::min(alignToDword(reader.offset()), length);
  block.children = bytes.subspan(childStart, length - childStart);
  return block;
}

std::optional<std::vector<VersionBlock>> childBlocks(const VersionBlock &parent) {
  std::vector<VersionBlock> blocks;
  std::span<const uint8_t> rest = parent.children;
  while (!rest.empty()) {
    size_t length = 0;
    std::optional<VersionBlock> block = readBlock(rest, length);
    if (!block) return std::nullopt;
    blocks.push_back(*block);
    rest = rest.subspan(std::min(rest.size(), alignToDword(length)));
  }
  return blocks;
}

bool sameKey(std::u16string_view a, std::string_view b) {
  auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

const VersionBlock *childNamed(const std::vector<VersionBlock> &blocks, std::string_view key) {
  for (const VersionBlock &block : blocks) {
    if (sameKey(block.key, key)) return &block;
  }
  return nullptr;
}

std::string textOf(std::span<const uint8_t> value) {
  ByteReader reader(value);
  std::u16string text;
  while (reader.remaining() >= 2) {
    char16_t unit = reader.u16();
    if (unit == 0) break;
    text.push_back(unit);
  }
  return utf16ToUtf8(text);
}

}  // namespace

std::optional<std::string> versionString(std::span<const uint8_t> versionResource, std::string_view key) {
  size_t length = 0;
  std::optional<VersionBlock> root = readBlock(versionResource, length);
  if (!root) return std::nullopt;
  std::optional<std::vector<VersionBlock>> sections = childBlocks(*root);
  const VersionBlock *stringInfo = sections ? childNamed(*sections, "StringFileInfo") : nullptr;
  if (!stringInfo) return std::nullopt;
  std::optional<std::vector<VersionBlock>> tables = childBlocks(*stringInfo);
  if (!tables || tables->empty()) return std::nullopt;
  std::optional<std::vector<VersionBlock>> strings = childBlocks(tables->front());
  const VersionBlock *entry = strings ? childNamed(*strings, key) : nullptr;
  if (!entry) return std::nullopt;
  return textOf(entry->value);
}

}  // namespace win32
