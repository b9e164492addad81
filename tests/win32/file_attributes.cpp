// Tests for GetFileAttributesA.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"

namespace {

using file_test::join;
using file_test::TempFolder;

// Windows marks the files it creates or writes for archiving (FILE_ATTRIBUTE_ARCHIVE: the file-creating calls
// in Wine's conformance tests, dlls/kernel32/tests/file.c test__lcreat, find it set on Windows); a file made
// read-only keeps that mark.
TEST(GetFileAttributesA, FoldersFilesAndReadOnlyFiles) {
  TempFolder folder;
  folder.write("plain", "x");
  folder.writeReadOnly("locked", "x");
  struct Case {
    std::string name;
    DWORD attributes;
  } cases[] = {{"", FILE_ATTRIBUTE_DIRECTORY},
               {"plain", FILE_ATTRIBUTE_ARCHIVE},
               {"locked", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY}};
  for (const auto &c : cases) EXPECT_EQ(GetFileAttributesA(folder.path(c.name).c_str()), c.attributes) << c.name;
}

TEST(GetFileAttributesA, MissingFileOrFolder) {
  TempFolder folder;
  folder.write("file", "x");
  struct Case {
    std::string name;
    DWORD error;
  } cases[] = {{"missing", ERROR_FILE_NOT_FOUND},
               {join("missing", "x"), ERROR_PATH_NOT_FOUND},
               {join("file", "x"), ERROR_PATH_NOT_FOUND}};
  for (const auto &c : cases) {
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(folder.path(c.name).c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
}

}  // namespace
