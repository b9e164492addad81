// user32: version resources (RT_VERSION): string values looked up by key.
#ifndef OXBYTE_WIN32_USER32_VERSION_INFO_H
#define OXBYTE_WIN32_USER32_VERSION_INFO_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace win32 {

// The value of `key` ("ProductName", "FileVersion", ...) in the first string table under
// StringFileInfo, as UTF-8. Keys compare without regard to case, as VerQueryValue compares them.
// Nullopt when the key is absent or the block is malformed.
std::optional<std::string> versionString(std::span<const uint8_t> versionResource, std::string_view key);

}  // namespace win32

#endif
