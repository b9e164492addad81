// Tests for the last-error code and the translation of POSIX errors.
#include "kernel32/error.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "file_test_support.h"

namespace {

using file_test::TempFolder;

TEST(LastError, IsKeptPerThread) {
  SetLastError(ERROR_DISK_FULL);
  DWORD seenByOtherThread = 1;
  std::thread other([&] {
    seenByOtherThread = GetLastError();
    SetLastError(ERROR_ACCESS_DENIED);
  });
  other.join();
  EXPECT_EQ(seenByOtherThread, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
}

// Windows tells a missing file from a missing (or non-folder) step on the way to it.
TEST(PathErrorFromErrno, TellsMissingFileFromMissingFolder) {
  TempFolder folder;
  folder.write("file", "x");
  struct Case {
    std::string path;
    DWORD code;
  } cases[] = {{folder.path("missing"), ERROR_FILE_NOT_FOUND},
               {folder.path("missing/"), ERROR_FILE_NOT_FOUND},
               {folder.path("nofolder/missing"), ERROR_PATH_NOT_FOUND},
               {folder.path("file/missing"), ERROR_PATH_NOT_FOUND},
               {"", ERROR_PATH_NOT_FOUND},
               {"missing-in-the-current-folder-0a8b7c", ERROR_FILE_NOT_FOUND}};
  for (const auto &c : cases) EXPECT_EQ(win32::pathErrorFromErrno(ENOENT, c.path.c_str()), c.code) << c.path;
  EXPECT_EQ(win32::pathErrorFromErrno(EACCES, folder.path("missing").c_str()), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
