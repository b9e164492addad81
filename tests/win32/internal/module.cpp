// GetModuleHandleA: the program is the only module; the portable tests check that a null name gives it
// (tests/win32/resource.cpp).
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(GetModuleHandle, NoOtherModuleIsLoaded) {
  for (const char *name : {"kernel32.dll", "user32", "oxbyte.exe", ""}) {
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA(name), nullptr) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
  }
}

}  // namespace
