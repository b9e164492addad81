// Tests for ReplaceFileA: the new file takes the old one's place, its permission bits and its
// links, and any failure leaves the old file as it was.
#include <errno.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "file_test_support.h"

namespace {

using file_test::openFile;
using file_test::permissionBits;
using file_test::PosixOverride;
using file_test::TempFolder;

BOOL replace(const std::string &replaced, const std::string &replacement) {
  return ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr);
}

TEST(ReplaceFileA, TakesThePlaceAndThePermissionBitsOfTheOriginal) {
  TempFolder folder;
  std::string original = folder.write("doc", "old", 0640);
  std::string replacement = folder.write("doc.tmp", "new", 0600);
  ASSERT_TRUE(replace(original, replacement));
  EXPECT_EQ(folder.read("doc"), "new");
  EXPECT_EQ(permissionBits(original), 0640u);
  EXPECT_FALSE(folder.exists("doc.tmp"));
}

TEST(ReplaceFileA, ReplacesWhereASymbolicLinkPoints) {
  TempFolder folder;
  ASSERT_EQ(mkdir(folder.path("real").c_str(), 0755), 0);
  std::string target = folder.write("real/doc", "old", 0604);
  ASSERT_EQ(symlink("real/doc", folder.path("link").c_str()), 0);
  std::string replacement = folder.write("real/doc.tmp", "new", 0600);
  ASSERT_TRUE(replace(folder.path("link"), replacement));
  struct stat entry;
  ASSERT_EQ(lstat(folder.path("link").c_str(), &entry), 0);
  EXPECT_TRUE(S_ISLNK(entry.st_mode));
  EXPECT_EQ(folder.read("link"), "new");
  EXPECT_EQ(permissionBits(target), 0604u);
}

// Faults below ReplaceFileA; each must leave the original whole and the replacement in place.
int failWithAccessDenied(const char *, const char *) { return errno = EACCES, -1; }
int failAcrossDevices(const char *, const char *) { return errno = EXDEV, -1; }
int failSync(int) { return errno = EIO, -1; }
int failChmod(int, mode_t) { return errno = EPERM, -1; }
int failClose(int fd) { return close(fd), errno = EIO, -1; }

struct FaultCase {
  const char *name;
  void (*inject)(win32::posix::Calls &);
  DWORD error;
};

const FaultCase kFaults[] = {
    {"rename refused", [](win32::posix::Calls &c) { c.rename = failWithAccessDenied; },
     ERROR_UNABLE_TO_REMOVE_REPLACED},
    {"rename across devices", [](win32::posix::Calls &c) { c.rename = failAcrossDevices; },
     ERROR_UNABLE_TO_MOVE_REPLACEMENT},
    {"fsync fails", [](win32::posix::Calls &c) { c.fsync = failSync; }, ERROR_WRITE_FAULT},
    {"chmod fails", [](win32::posix::Calls &c) { c.fchmod = failChmod; }, ERROR_ACCESS_DENIED},
    {"close fails", [](win32::posix::Calls &c) { c.close = failClose; }, ERROR_WRITE_FAULT},
};

TEST(ReplaceFileA, FailureLeavesTheOriginalIntact) {
  for (const auto &c : kFaults) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    std::string original = folder.write("doc", "old", 0640);
    std::string replacement = folder.write("doc.tmp", "new", 0600);
    win32::posix::Calls calls = win32::posix::systemCalls();
    c.inject(calls);
    BOOL ok;
    {
      PosixOverride override(calls);
      ok = replace(original, replacement);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(folder.read("doc"), "old");
    EXPECT_EQ(permissionBits(original), 0640u);
    EXPECT_EQ(folder.read("doc.tmp"), "new");
  }
}

std::vector<std::string> events;

int recordSync(int fd) {
  struct stat info;
  fstat(fd, &info);
  events.push_back(S_ISDIR(info.st_mode) ? "sync folder" : "sync file");
  return fsync(fd);
}

int recordRename(const char *from, const char *to) {
  events.push_back("rename");
  return rename(from, to);
}

// The new contents must be on disk before the name points at them, and the name change after.
TEST(ReplaceFileA, SyncsTheFileBeforeTheRenameAndTheFolderAfter) {
  TempFolder folder;
  std::string original = folder.write("doc", "old"), replacement = folder.write("doc.tmp", "new");
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.fsync = recordSync;
  calls.rename = recordRename;
  PosixOverride override(calls);
  events.clear();
  ASSERT_TRUE(replace(original, replacement));
  EXPECT_EQ(events, (std::vector<std::string>{"sync file", "rename", "sync folder"}));
}

TEST(ReplaceFileA, Refusals) {
  TempFolder folder;
  std::string replacement = folder.write("new", "new");
  folder.write("doc", "old");
  folder.write("locked", "old", 0444);
  ASSERT_EQ(mkdir(folder.path("sub").c_str(), 0755), 0);
  struct Case {
    std::string replaced, replacement;
    DWORD error;
  } cases[] = {{"missing", "new", ERROR_FILE_NOT_FOUND},
               {"missing/x", "new", ERROR_PATH_NOT_FOUND},
               {"doc", "missing", ERROR_FILE_NOT_FOUND},
               {"locked", "new", ERROR_ACCESS_DENIED},
               {"sub", "new", ERROR_ACCESS_DENIED}};
  for (const auto &c : cases) {
    EXPECT_FALSE(replace(folder.path(c.replaced), folder.path(c.replacement))) << c.replaced << " " << c.replacement;
    EXPECT_EQ(GetLastError(), c.error) << c.replaced << " " << c.replacement;
  }
  EXPECT_FALSE(ReplaceFileA(folder.path("doc").c_str(), replacement.c_str(), folder.path("backup").c_str(), 0, nullptr,
                            nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(folder.read("doc"), "old");
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
