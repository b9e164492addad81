// Tests for DeleteFileA and MoveFileExA.
#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "file_test_support.h"

namespace {

using file_test::openFile;
using file_test::PosixOverride;
using file_test::TempFolder;

TEST(DeleteFileA, RemovesFilesAndLinksButNotFolders) {
  TempFolder folder;
  folder.write("f", "x");
  ASSERT_EQ(symlink("f", folder.path("link").c_str()), 0);
  EXPECT_TRUE(DeleteFileA(folder.path("link").c_str()));
  EXPECT_TRUE(folder.exists("f"));
  EXPECT_TRUE(DeleteFileA(folder.path("f").c_str()));
  EXPECT_FALSE(folder.exists("f"));
  ASSERT_EQ(mkdir(folder.path("sub").c_str(), 0755), 0);
  EXPECT_FALSE(DeleteFileA(folder.path("sub").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(DeleteFileA, Refusals) {
  TempFolder folder;
  folder.write("locked", "x", 0444);
  folder.write("open", "x");
  HANDLE h = openFile(folder.path("open"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  struct Case {
    std::string name;
    DWORD error;
  } cases[] = {{"missing", ERROR_FILE_NOT_FOUND},
               {"missing/x", ERROR_PATH_NOT_FOUND},
               {"locked", ERROR_ACCESS_DENIED},
               {"open", ERROR_SHARING_VIOLATION}};
  for (const auto &c : cases) {
    EXPECT_FALSE(DeleteFileA(folder.path(c.name).c_str())) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
  CloseHandle(h);
  EXPECT_TRUE(folder.exists("locked"));
  EXPECT_TRUE(DeleteFileA(folder.path("open").c_str()));
}

TEST(DeleteFileA, AllowedWhileOpenWithDeleteSharing) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "x"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
  EXPECT_TRUE(DeleteFileA(folder.path("f").c_str()));
  CloseHandle(h);
}

TEST(MoveFileExA, ReplacesOnlyWhenAsked) {
  TempFolder folder;
  std::string from = folder.write("from", "new"), to = folder.write("to", "old");
  EXPECT_FALSE(MoveFileExA(from.c_str(), to.c_str(), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(folder.read("to"), "old");
  EXPECT_TRUE(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(folder.read("to"), "new");
  EXPECT_FALSE(folder.exists("from"));
  EXPECT_TRUE(MoveFileExA(to.c_str(), folder.path("fresh").c_str(), 0));
  EXPECT_EQ(folder.read("fresh"), "new");
}

TEST(MoveFileExA, Refusals) {
  TempFolder folder;
  std::string from = folder.write("from", "new");
  folder.write("locked", "old", 0444);
  folder.write("busy", "old");
  ASSERT_EQ(mkdir(folder.path("sub").c_str(), 0755), 0);
  HANDLE busy = openFile(folder.path("busy"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  struct Case {
    std::string from, to;
    DWORD flags, error;
  } cases[] = {
      {"missing", "x", MOVEFILE_REPLACE_EXISTING, ERROR_FILE_NOT_FOUND},
      {"from", "missing/x", MOVEFILE_REPLACE_EXISTING, ERROR_PATH_NOT_FOUND},
      {"from", "sub", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"from", "locked", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"from", "busy", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"busy", "x", 0, ERROR_SHARING_VIOLATION},
      {"from", "x", 0x2 /* MOVEFILE_COPY_ALLOWED, not offered */, ERROR_INVALID_PARAMETER},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.from + " -> " + c.to);
    EXPECT_FALSE(MoveFileExA(folder.path(c.from).c_str(), folder.path(c.to).c_str(), c.flags));
    EXPECT_EQ(GetLastError(), c.error);
  }
  CloseHandle(busy);
  EXPECT_EQ(folder.read("from"), "new");
  EXPECT_EQ(folder.read("locked"), "old");
  EXPECT_EQ(folder.read("busy"), "old");
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
