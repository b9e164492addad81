// Tests for the stand-in's DeleteFileA and MoveFileExA where only Linux can show it: symbolic links, a
// flag not offered, and the folder flushed after a move.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "posix_file_test_support.h"

namespace {

using file_test::PosixOverride;
using file_test::TempFolder;

// A symbolic link is removed itself, never what it leads to.
TEST(DeleteFileA, RemovesALinkButNotWhatItLeadsTo) {
  TempFolder folder;
  folder.write("f", "x");
  ASSERT_EQ(symlink("f", folder.path("link").c_str()), 0);
  EXPECT_TRUE(DeleteFileA(folder.path("link").c_str()));
  EXPECT_FALSE(folder.exists("link"));
  EXPECT_TRUE(folder.exists("f"));
}

// Files move within one file system only: MOVEFILE_COPY_ALLOWED is not offered, and asking for it is
// refused.
TEST(MoveFileExA, RefusesCopying) {
  TempFolder folder;
  std::string from = folder.write("from", "new");
  EXPECT_FALSE(MoveFileExA(from.c_str(), folder.path("x").c_str(), 0x2 /* MOVEFILE_COPY_ALLOWED */));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(folder.read("from"), "new");
  EXPECT_FALSE(folder.exists("x"));
}

std::vector<std::string> syncedFolders;

int recordFolderSync(int fd) {
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) syncedFolders.push_back("folder");
  return fsync(fd);
}

TEST(MoveFileExA, WriteThroughFlushesTheFolder) {
  TempFolder folder;
  std::string from = folder.write("from", "x");
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.fsync = recordFolderSync;
  PosixOverride override(calls);
  syncedFolders.clear();
  EXPECT_TRUE(MoveFileExA(from.c_str(), folder.path("to").c_str(), 0));
  EXPECT_TRUE(syncedFolders.empty());
  EXPECT_TRUE(MoveFileExA(folder.path("to").c_str(), from.c_str(), MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(syncedFolders.size(), 1u);
}

}  // namespace
