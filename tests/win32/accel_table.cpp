// Accelerator tables: the program's keys and broken tables.
#include "user32/accel_table.h"

#include <gtest/gtest.h>

#include "kernel32/resource.h"
#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

TEST(AcceleratorTable, ProgramKeys) {
  struct Expected {
    BYTE fVirt;
    WORD key;
    WORD cmd;
  } expected[] = {
      {FVIRTKEY | FNOINVERT | FCONTROL, 'F', IDM_FIND},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'G', IDM_GOTO},
      {FVIRTKEY | FNOINVERT, VK_F3, IDM_FIND_NEXT},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'Z', IDM_REVERT},
  };
  std::optional<std::vector<ACCEL>> table =
      win32::parseAcceleratorTable(win32::findResourceData(RT_ACCELERATOR, MAKEINTRESOURCEA(IDR_ACCELERATORS)));
  ASSERT_TRUE(table);
  ASSERT_EQ(table->size(), std::size(expected));
  for (size_t i = 0; i < table->size(); ++i) {
    EXPECT_EQ((*table)[i].fVirt, expected[i].fVirt) << i;
    EXPECT_EQ((*table)[i].key, expected[i].key) << i;
    EXPECT_EQ((*table)[i].cmd, expected[i].cmd) << i;
  }
}

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
