// Tests for GetFileAttributesA.
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"

namespace {

using file_test::TempFolder;

TEST(GetFileAttributesA, FoldersFilesAndReadOnlyFiles) {
  TempFolder folder;
  folder.write("plain", "x");
  folder.write("locked", "x", 0444);
  ASSERT_EQ(symlink("plain", folder.path("link").c_str()), 0);
  struct Case {
    std::string name;
    DWORD attributes;
  } cases[] = {{"", FILE_ATTRIBUTE_DIRECTORY},
               {"plain", FILE_ATTRIBUTE_NORMAL},
               {"locked", FILE_ATTRIBUTE_READONLY},
               {"link", FILE_ATTRIBUTE_NORMAL}};
  for (const auto &c : cases) EXPECT_EQ(GetFileAttributesA(folder.path(c.name).c_str()), c.attributes) << c.name;
}

TEST(GetFileAttributesA, MissingFileOrFolder) {
  TempFolder folder;
  folder.write("file", "x");
  struct Case {
    std::string name;
    DWORD error;
  } cases[] = {{"missing", ERROR_FILE_NOT_FOUND},
               {"missing/x", ERROR_PATH_NOT_FOUND},
               {"file/x", ERROR_PATH_NOT_FOUND}};
  for (const auto &c : cases) {
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(folder.path(c.name).c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
}

}  // namespace
