// kernel32: the program's resources, read from the compiled .res image embedded in it.
#ifndef OXBYTE_WIN32_KERNEL32_RESOURCE_H
#define OXBYTE_WIN32_KERNEL32_RESOURCE_H

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace win32 {

// A resource type or name: an ordinal, or a string kept in upper case because Windows compares resource
// names without regard to case.
struct ResourceId {
  bool isOrdinal = true;
  uint16_t ordinal = 0;
  std::u16string name;

  static ResourceId fromOrdinal(uint16_t ordinal) { return {true, ordinal, {}}; }
  static ResourceId fromName(std::u16string_view name);
  bool operator==(const ResourceId &other) const = default;
};

struct ResourceEntry {
  ResourceId type;
  ResourceId name;
  uint16_t language = 0;
  uint16_t memoryFlags = 0;
  std::span<const uint8_t> data;  // inside the bytes the directory was parsed from
};

// The records of a .res image: after an empty marker record, each resource is a header (data size,
// header size, type, name, DWORD padding, data version, memory flags, language, version,
// characteristics) followed by its data, both padded to a DWORD.
class ResourceDirectory {
 public:
  // Nullopt when the image is malformed anywhere; an empty span is a valid image with no resources.
  static std::optional<ResourceDirectory> parse(std::span<const uint8_t> image);

  const std::vector<ResourceEntry> &entries() const { return entries_; }

  // The first resource of that type and name in any language; null with a Win32 error code otherwise.
  const ResourceEntry *find(const ResourceId &type, const ResourceId &name, DWORD &error) const;

 private:
  std::vector<ResourceEntry> entries_;
};

// The resources linked into the program; empty when it has none or when they do not parse.
const ResourceDirectory &programResources();

// A type or name argument as FindResourceA reads it: MAKEINTRESOURCE, "#123" or a string. Nullopt (with
// ERROR_INVALID_PARAMETER) for a "#" number that does not fit in 16 bits.
std::optional<ResourceId> resourceIdFromArgument(LPCSTR argument);

// The data of a program resource, for the loaders; empty with the last error set as FindResourceA sets
// it when there is no such resource.
std::span<const uint8_t> findResourceData(LPCSTR type, LPCSTR name);

}  // namespace win32

#endif
