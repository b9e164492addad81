// GetModuleHandleA: the program is the only module.
#include "kernel32/module.h"

#include <gtest/gtest.h>

namespace {

TEST(GetModuleHandle, NullNamesTheProgram) {
  HMODULE program = GetModuleHandleA(nullptr);
  EXPECT_NE(program, nullptr);
  EXPECT_EQ(program, win32::programModule());
  EXPECT_TRUE(win32::isProgramModule(program));
  EXPECT_TRUE(win32::isProgramModule(nullptr));
  EXPECT_FALSE(win32::isProgramModule(reinterpret_cast<HMODULE>(0x10000000)));
}

TEST(GetModuleHandle, NoOtherModuleIsLoaded) {
  for (const char *name : {"kernel32.dll", "user32", "oxbyte.exe", ""}) {
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA(name), nullptr) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
  }
}

}  // namespace
