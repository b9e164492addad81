// kernel32: the program's resources, read from the compiled .res image embedded in it.
#include "kernel32/resource.h"

#include <algorithm>

#include "kernel32/byte_reader.h"
#include "kernel32/module.h"
#include "kernel32/utf16.h"

// The linker places the compiled .res between these symbols. They are weak so that a program without
// resources still links; their addresses are then null and it simply finds nothing.
extern "C" {
extern const uint8_t win32_module_resources[] __attribute__((weak));
extern const uint8_t win32_module_resources_end[] __attribute__((weak));
}

namespace win32 {
namespace {

constexpr size_t kFixedHeaderTail = 16;  // data version, memory flags, language, version, characteristics

char16_t upperCase(char16_t unit) { return unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit; }

// 0xFFFF followed by an ordinal, or a NUL-terminated UTF-16 string.
ResourceId readResourceId(ByteReader &reader) {
  uint16_t first = reader.u16();
  if (first == 0xFFFF) return ResourceId::fromOrdinal(reader.u16());
  if (first == 0) return ResourceId::fromName(u"");
  std::u16string name(1, static_cast<char16_t>(first));
  name += reader.wideString();
  return ResourceId::fromName(name);
}

bool isMarker(const ResourceEntry &entry) {
  return entry.data.empty() && entry.type == ResourceId::fromOrdinal(0) && entry.name == ResourceId::fromOrdinal(0);
}

// Reads the record at `offset`; nullopt when its sizes or header do not fit in the image.
std::optional<ResourceEntry> readRecord(std::span<const uint8_t> image, size_t offset, size_t &next) {
  ByteReader sizes(image, offset);
  uint32_t dataSize = sizes.u32();
  uint32_t headerSize = sizes.u32();
  if (!sizes.ok() || headerSize > image.size() - offset || dataSize > image.size() - offset - headerSize) {
    return std::nullopt;
  }
  ByteReader header(image.first(offset + headerSize), offset + 8);
  ResourceEntry entry;
  entry.type = readResourceId(header);
  entry.name = readResourceId(header);
  header.align(4);
  header.u32();  // data version
  entry.memoryFlags = header.u16();
  entry.language = header.u16();
  header.skip(kFixedHeaderTail - 8);  // version, characteristics
  if (!header.ok()) return std::nullopt;
  entry.data = image.subspan(offset + headerSize, dataSize);
  size_t end = offset + headerSize + dataSize;
  next = std::min(image.size(), end + (4 - end % 4) % 4);
  return entry;
}

ResourceDirectory parseProgramResources() {
  if (win32_module_resources == nullptr || win32_module_resources_end == nullptr) return {};
  std::span<const uint8_t> image(win32_module_resources, win32_module_resources_end);
  return ResourceDirectory::parse(image).value_or(ResourceDirectory{});
}

// Windows reads the digits after '#' as an unsigned 32-bit number: leading blanks and a sign are
// allowed, reading stops at the first non-digit, and overflow wraps.
uint32_t readDecimalLikeWindows(const char *text) {
  while (*text != '\0' && static_cast<unsigned char>(*text) <= ' ') ++text;
  bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<uint32_t>(*text - '0');
  return negative ? 0 - value : value;
}

// Looks a program resource up as FindResourceA does, setting the last error on failure.
const ResourceEntry *lookUp(LPCSTR type, LPCSTR name) {
  std::optional<ResourceId> typeId = resourceIdFromArgument(type);
  std::optional<ResourceId> nameId = resourceIdFromArgument(name);
  if (!typeId || !nameId) return nullptr;
  DWORD error = ERROR_SUCCESS;
  const ResourceEntry *entry = programResources().find(*typeId, *nameId, error);
  if (entry == nullptr) SetLastError(error);
  return entry;
}

// A handle is a pointer to one of the program's entries; anything else is not a resource handle.
const ResourceEntry *entryFromHandle(HRSRC handle) {
  const std::vector<ResourceEntry> &entries = programResources().entries();
  for (const ResourceEntry &entry : entries) {
    if (reinterpret_cast<HRSRC>(const_cast<ResourceEntry *>(&entry)) == handle) return &entry;
  }
  return nullptr;
}

}  // namespace

ResourceId ResourceId::fromName(std::u16string_view name) {
  ResourceId id{false, 0, std::u16string(name)};
  std::transform(id.name.begin(), id.name.end(), id.name.begin(), upperCase);
  return id;
}

std::optional<ResourceDirectory> ResourceDirectory::parse(std::span<const uint8_t> image) {
  ResourceDirectory directory;
  size_t offset = 0;
  bool first = true;
  while (offset < image.size()) {
    size_t next = 0;
    std::optional<ResourceEntry> entry = readRecord(image, offset, next);
    if (!entry || (first && !isMarker(*entry))) return std::nullopt;
    if (!entry->type.isOrdinal || entry->type.ordinal != 0) directory.entries_.push_back(std::move(*entry));
    first = false;
    offset = next;
  }
  return directory;
}

const ResourceEntry *ResourceDirectory::find(const ResourceId &type, const ResourceId &name, DWORD &error) const {
  if (entries_.empty()) {
    error = ERROR_RESOURCE_DATA_NOT_FOUND;  // like an image without a resource section
    return nullptr;
  }
  bool typeSeen = false;
  for (const ResourceEntry &entry : entries_) {
    if (entry.type != type) continue;
    typeSeen = true;
    if (entry.name == name) return &entry;
  }
  error = typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND;
  return nullptr;
}

const ResourceDirectory &programResources() {
  static const ResourceDirectory directory = parseProgramResources();
  return directory;
}

std::optional<ResourceId> resourceIdFromArgument(LPCSTR argument) {
  if (IS_INTRESOURCE(argument)) return ResourceId::fromOrdinal(LOWORD(argument));
  if (argument[0] != '#') return ResourceId::fromName(utf8ToUtf16(argument));
  uint32_t value = readDecimalLikeWindows(argument + 1);
  if (HIWORD(value) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  return ResourceId::fromOrdinal(LOWORD(value));
}

std::span<const uint8_t> findResourceData(LPCSTR type, LPCSTR name) {
  const ResourceEntry *entry = lookUp(type, name);
  return entry != nullptr ? entry->data : std::span<const uint8_t>{};
}

}  // namespace win32

extern "C" {

// Only the program itself has resources; any other module handle names no image.
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  if (!win32::isProgramModule(hModule)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const win32::ResourceEntry *entry = win32::lookUp(lpType, lpName);
  return reinterpret_cast<HRSRC>(const_cast<win32::ResourceEntry *>(entry));
}

// Resources are mapped with the image, so "loading" one just hands out its address. A null handle gives
// null without touching the last error; a module that is not the program has no resource section for the
// loader to find, which Windows reports as for any image without one.
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
  const win32::ResourceEntry *entry = win32::entryFromHandle(hResInfo);
  if (entry == nullptr) return nullptr;
  if (!win32::isProgramModule(hModule)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return const_cast<uint8_t *>(entry->data.data());
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  const win32::ResourceEntry *entry = win32::entryFromHandle(hResInfo);
  if (entry == nullptr || !win32::isProgramModule(hModule)) return 0;
  return static_cast<DWORD>(entry->data.size());
}

// Each language the resource is kept in, in the order of the image. As on Windows, the callback's last
// answer is the result: a FALSE stops the enumeration.
BOOL WINAPI EnumResourceLanguagesA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, ENUMRESLANGPROCA lpEnumFunc,
                                   LONG_PTR lParam) {
  if (!win32::isProgramModule(hModule)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return FALSE;
  }
  const win32::ResourceEntry *found = win32::lookUp(lpType, lpName);
  if (found == nullptr) return FALSE;
  BOOL result = TRUE;
  for (const win32::ResourceEntry &entry : win32::programResources().entries()) {
    if (entry.type != found->type || entry.name != found->name) continue;
    result = lpEnumFunc(hModule, lpType, lpName, entry.language, lParam);
    if (!result) break;
  }
  return result;
}

}  // extern "C"
