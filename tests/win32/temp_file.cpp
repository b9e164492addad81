// Tests for GetTempFileNameA.
#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include <set>
#include <string>

#include "file_test_support.h"
#include "support/wine.h"

namespace {

using file_test::kSeparator;
using file_test::TempFolder;

// The number as it appears in the name: Windows writes it in upper-case hexadecimal, as the names Windows
// programs' temporary files get show (.NET names them with GetTempFileNameW: "tmpA1B6.tmp" in the output of
// `dotnet add package`); Wine writes lower case.
std::string hexOf(UINT number) {
  char hex[8];
  snprintf(hex, sizeof hex, runningUnderWine() ? "%x" : "%X", number);
  return hex;
}

TEST(GetTempFileNameA, CreatesAnEmptyFileUnderAFreeName) {
  TempFolder folder;
  char name[MAX_PATH];
  UINT number = GetTempFileNameA(folder.root().c_str(), "abcdef", 0, name);
  ASSERT_NE(number, 0u);
  EXPECT_LE(number, 0xFFFFu);
  EXPECT_EQ(std::string(name), folder.root() + kSeparator + "abc" + hexOf(number) + ".tmp");
  EXPECT_EQ(GetFileAttributesA(name), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(folder.read(name + folder.root().size() + 1), "");
}

TEST(GetTempFileNameA, NamesAreUnique) {
  TempFolder folder;
  std::set<std::string> names;
  for (int i = 0; i < 100; ++i) {
    char name[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(folder.root().c_str(), "t", 0, name), 0u);
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 100u);
}

TEST(GetTempFileNameA, GivenNumberOnlyMakesTheName) {
  TempFolder folder;
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA((folder.root() + kSeparator).c_str(), "xy", 0x12ABC, name), 0x2ABCu);
  EXPECT_EQ(std::string(name), folder.root() + kSeparator + "xy" + hexOf(0x2ABC) + ".tmp");
  EXPECT_FALSE(folder.exists("xy" + hexOf(0x2ABC) + ".tmp"));
  EXPECT_EQ(GetTempFileNameA(folder.root().c_str(), nullptr, 0x1F, name), 0x1Fu);
  EXPECT_EQ(std::string(name), folder.root() + kSeparator + hexOf(0x1F) + ".tmp");
}

TEST(GetTempFileNameA, FolderMustExistAndLeaveRoomForTheName) {
  TempFolder folder;
  folder.write("file", "x");
  char name[MAX_PATH];
  for (const char *bad : {"missing", "file"}) {
    EXPECT_EQ(GetTempFileNameA(folder.path(bad).c_str(), "t", 0, name), 0u) << bad;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY)) << bad;
  }
  std::string longFolder = folder.path(std::string(MAX_PATH, 'a'));
  EXPECT_EQ(GetTempFileNameA(longFolder.c_str(), "t", 0, name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

}  // namespace
