// Tests for DeleteFileA and MoveFileExA.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"
#include "support/wine.h"

namespace {

using file_test::join;
using file_test::openFile;
using file_test::TempFolder;

TEST(DeleteFileA, RemovesFilesButNotFolders) {
  TempFolder folder;
  folder.write("f", "x");
  EXPECT_TRUE(DeleteFileA(folder.path("f").c_str()));
  EXPECT_FALSE(folder.exists("f"));
  folder.makeFolder("sub");
  EXPECT_FALSE(DeleteFileA(folder.path("sub").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(folder.exists("sub"));
}

TEST(DeleteFileA, Refusals) {
  TempFolder folder;
  folder.writeReadOnly("locked", "x");
  folder.write("open", "x");
  HANDLE h = openFile(folder.path("open"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  struct Case {
    std::string name;
    DWORD error;
  } cases[] = {{"missing", ERROR_FILE_NOT_FOUND},
               {join("missing", "x"), ERROR_PATH_NOT_FOUND},
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
  EXPECT_FALSE(folder.exists("f"));  // gone at the latest when the last handle closes
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
  folder.write("busy", "old");
  folder.makeFolder("sub");
  HANDLE busy = openFile(folder.path("busy"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  struct Case {
    std::string from, to;
    DWORD flags, error;
  } cases[] = {
      {"missing", "x", MOVEFILE_REPLACE_EXISTING, ERROR_FILE_NOT_FOUND},
      {"from", join("missing", "x"), MOVEFILE_REPLACE_EXISTING, ERROR_PATH_NOT_FOUND},
      {"from", "sub", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"from", "busy", MOVEFILE_REPLACE_EXISTING, ERROR_ACCESS_DENIED},
      {"busy", "x", 0, ERROR_SHARING_VIOLATION},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.from + " -> " + c.to);
    EXPECT_FALSE(MoveFileExA(folder.path(c.from).c_str(), folder.path(c.to).c_str(), c.flags));
    EXPECT_EQ(GetLastError(), c.error);
  }
  CloseHandle(busy);
  EXPECT_EQ(folder.read("from"), "new");
  EXPECT_EQ(folder.read("busy"), "old");
}

// Windows does not rename over a read-only file: ERROR_ACCESS_DENIED (Git for Windows makes the target
// writable first for this reason: "on Windows, read-only files cannot be replaced"; later Wine refuses it
// too). Wine 8 renames over it, as rename() on Linux does.
TEST(MoveFileExA, RefusesToReplaceAReadOnlyFile) {
  TempFolder folder;
  std::string from = folder.write("from", "new"), locked = folder.writeReadOnly("locked", "old");
  BOOL moved = MoveFileExA(from.c_str(), locked.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (runningUnderWine()) {
    EXPECT_TRUE(moved);
    EXPECT_EQ(folder.read("locked"), "new");
    return;
  }
  EXPECT_FALSE(moved);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(folder.read("from"), "new");
  EXPECT_EQ(folder.read("locked"), "old");
}

}  // namespace
