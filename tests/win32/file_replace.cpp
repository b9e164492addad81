// Tests for ReplaceFileA: the new file takes the old one's place, and a refusal leaves both files as they
// were.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"

namespace {

using file_test::join;
using file_test::openFile;
using file_test::TempFolder;

BOOL replace(const std::string &replaced, const std::string &replacement) {
  return ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr);
}

TEST(ReplaceFileA, TakesThePlaceOfTheOriginal) {
  TempFolder folder;
  std::string original = folder.write("doc", "old");
  std::string replacement = folder.write("doc.tmp", "new");
  ASSERT_TRUE(replace(original, replacement));
  EXPECT_EQ(folder.read("doc"), "new");
  EXPECT_FALSE(folder.exists("doc.tmp"));
  EXPECT_EQ(folder.entries(), 1);
}

TEST(ReplaceFileA, Refusals) {
  TempFolder folder;
  folder.write("new", "new");
  folder.write("doc", "old");
  struct Case {
    std::string replaced, replacement;
    DWORD error;
  } cases[] = {{"missing", "new", ERROR_FILE_NOT_FOUND},
               {join("missing", "x"), "new", ERROR_PATH_NOT_FOUND},
               {"doc", "missing", ERROR_FILE_NOT_FOUND}};
  for (const auto &c : cases) {
    EXPECT_FALSE(replace(folder.path(c.replaced), folder.path(c.replacement))) << c.replaced << " " << c.replacement;
    EXPECT_EQ(GetLastError(), c.error) << c.replaced << " " << c.replacement;
  }
  EXPECT_EQ(folder.read("doc"), "old");
  EXPECT_EQ(folder.read("new"), "new");
}

// Windows refuses to replace a read-only file with ERROR_ACCESS_DENIED (.NET's File.Replace, which calls
// ReplaceFileW, throws UnauthorizedAccessException for it on Windows; Wine checks the attribute likewise).
TEST(ReplaceFileA, RefusesAReadOnlyFile) {
  TempFolder folder;
  std::string locked = folder.writeReadOnly("locked", "old"), replacement = folder.write("new", "new");
  EXPECT_FALSE(replace(locked, replacement));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(folder.read("locked"), "old");
  EXPECT_EQ(folder.read("new"), "new");
}

TEST(ReplaceFileA, RefusedWhileEitherFileIsOpenWithoutDeleteSharing) {
  TempFolder folder;
  std::string original = folder.write("doc", "old"), replacement = folder.write("new", "new");
  for (const std::string &open : {original, replacement}) {
    HANDLE h = openFile(open, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_FALSE(replace(original, replacement)) << open;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << open;
    CloseHandle(h);
  }
  EXPECT_EQ(folder.read("doc"), "old");
  HANDLE shared = openFile(original, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
  EXPECT_TRUE(replace(original, replacement));
  CloseHandle(shared);
  EXPECT_EQ(folder.read("doc"), "new");
}

}  // namespace
