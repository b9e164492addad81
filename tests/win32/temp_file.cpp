// Tests for GetTempFileNameA.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "file_test_support.h"

namespace {

using file_test::PosixOverride;
using file_test::TempFolder;

TEST(GetTempFileNameA, CreatesAnEmptyFileUnderAFreeName) {
  TempFolder folder;
  char name[MAX_PATH];
  UINT number = GetTempFileNameA(folder.root().c_str(), "abcdef", 0, name);
  ASSERT_NE(number, 0u);
  EXPECT_LE(number, 0xFFFFu);
  char hex[8];
  snprintf(hex, sizeof hex, "%X", number);
  EXPECT_EQ(std::string(name), folder.root() + "/abc" + hex + ".tmp");
  EXPECT_EQ(GetFileAttributesA(name), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
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

std::vector<std::string> refused;

// The first two names tried are taken already.
int openWithTwoNamesTaken(const char *path, int flags, mode_t mode) {
  if ((flags & O_EXCL) && refused.size() < 2) {
    refused.push_back(path);
    return errno = EEXIST, -1;
  }
  return open(path, flags, mode);
}

TEST(GetTempFileNameA, SkipsNamesThatAreTaken) {
  TempFolder folder;
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.open = openWithTwoNamesTaken;
  PosixOverride override(calls);
  refused.clear();
  char name[MAX_PATH];
  ASSERT_NE(GetTempFileNameA(folder.root().c_str(), "t", 0, name), 0u);
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_NE(refused[0], refused[1]);
  EXPECT_NE(name, refused[0]);
  EXPECT_NE(name, refused[1]);
}

TEST(GetTempFileNameA, GivenNumberOnlyMakesTheName) {
  TempFolder folder;
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA((folder.root() + "/").c_str(), "xy", 0x12ABC, name), 0x2ABCu);
  EXPECT_EQ(std::string(name), folder.root() + "/xy2ABC.tmp");
  EXPECT_FALSE(folder.exists("xy2ABC.tmp"));
  EXPECT_EQ(GetTempFileNameA(folder.root().c_str(), nullptr, 0x1F, name), 0x1Fu);
  EXPECT_EQ(std::string(name), folder.root() + "/1F.tmp");
}

TEST(GetTempFileNameA, FolderMustExistAndLeaveRoomForTheName) {
  TempFolder folder;
  folder.write("file", "x");
  char name[MAX_PATH];
  for (const char *bad : {"missing", "file"}) {
    EXPECT_EQ(GetTempFileNameA(folder.path(bad).c_str(), "t", 0, name), 0u) << bad;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY)) << bad;
  }
  std::string longFolder = folder.root() + "/" + std::string(MAX_PATH, 'a');
  EXPECT_EQ(GetTempFileNameA(longFolder.c_str(), "t", 0, name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

}  // namespace
