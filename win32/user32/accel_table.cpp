// user32: accelerator tables (RT_ACCELERATOR) read into ACCEL entries.
#include "user32/accel_table.h"

#include "kernel32/byte_reader.h"

namespace win32 {

std::optional<std::vector<ACCEL>> parseAcceleratorTable(std::span<const uint8_t> bytes) {
  constexpr uint16_t kLastEntry = 0x80;
  ByteReader reader(bytes);
  std::vector<ACCEL> table;
  while (reader.remaining() >= 8) {
    uint16_t flags = reader.u16();
    ACCEL accel;
    accel.fVirt = static_cast<BYTE>(flags & 0x7F);
    accel.key = reader.u16();
    accel.cmd = reader.u16();
    reader.u16();  // padding
    table.push_back(accel);
    if (flags & kLastEntry) return table;
  }
  return std::nullopt;
}

}  // namespace win32
