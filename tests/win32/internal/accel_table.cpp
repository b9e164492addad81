// The stand-in's reading of accelerator resources: where a table ends, and tables without an end.
#include "user32/accel_table.h"

#include <gtest/gtest.h>

#include "win32/byte_builder.h"

namespace {

TEST(AcceleratorTable, StopsAtTheLastEntryMark) {
  ByteBuilder bytes;
  bytes.u16(FVIRTKEY | 0x80).u16(VK_F3).u16(5).u16(0);
  bytes.u16(FVIRTKEY).u16('Q').u16(6).u16(0);  // after the end: not part of the table
  std::optional<std::vector<ACCEL>> table = win32::parseAcceleratorTable(bytes.span());
  ASSERT_TRUE(table);
  ASSERT_EQ(table->size(), 1u);
  EXPECT_EQ((*table)[0].fVirt, FVIRTKEY);
}

TEST(AcceleratorTable, RefusesTablesWithoutTheEndMark) {
  ByteBuilder unmarked;
  unmarked.u16(FVIRTKEY).u16('A').u16(1).u16(0);
  ByteBuilder shortLast = unmarked;
  shortLast.u16(FVIRTKEY | 0x80).u16('B').u16(2);  // six of eight bytes
  for (const ByteBuilder *bytes : {&unmarked, &shortLast}) EXPECT_FALSE(win32::parseAcceleratorTable(bytes->span()));
  EXPECT_FALSE(win32::parseAcceleratorTable({}));
}

}  // namespace
