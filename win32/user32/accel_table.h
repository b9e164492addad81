// user32: accelerator tables (RT_ACCELERATOR) read into ACCEL entries.
#ifndef OXBYTE_WIN32_USER32_ACCEL_TABLE_H
#define OXBYTE_WIN32_USER32_ACCEL_TABLE_H

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace win32 {

// Eight-byte entries (flags, key, command, padding); the flags of the last entry carry 0x80, which is
// dropped from the result. Nullopt when the table is empty or ends without that mark.
std::optional<std::vector<ACCEL>> parseAcceleratorTable(std::span<const uint8_t> bytes);

}  // namespace win32

#endif
