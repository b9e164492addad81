// Accelerator tables: the program's keys as LoadAcceleratorsA reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>

#include "resources/resource.h"

namespace {

TEST(AcceleratorTable, ProgramKeys) {
  const ACCEL expected[] = {
      {FVIRTKEY | FNOINVERT | FCONTROL, 'F', IDM_FIND},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'G', IDM_GOTO},
      {FVIRTKEY | FNOINVERT, VK_F3, IDM_FIND_NEXT},
      {FVIRTKEY | FNOINVERT | FCONTROL, 'Z', IDM_REVERT},
  };
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), int(std::size(expected)));
  ACCEL keys[std::size(expected) + 1] = {};
  ASSERT_EQ(CopyAcceleratorTableA(table, keys, int(std::size(keys))), int(std::size(expected)));
  for (size_t i = 0; i < std::size(expected); ++i) {  // the resource's end-of-table flag is not copied
    EXPECT_EQ(keys[i].fVirt, expected[i].fVirt) << i;
    EXPECT_EQ(keys[i].key, expected[i].key) << i;
    EXPECT_EQ(keys[i].cmd, expected[i].cmd) << i;
  }
  EXPECT_EQ(CopyAcceleratorTableA(table, keys, 2), 2);
  DestroyAcceleratorTable(table);
}

}  // namespace
