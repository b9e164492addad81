// Tests for the stand-in's translation of POSIX errors into Win32 error codes.
#include "kernel32/error.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "posix_file_test_support.h"

namespace {

using file_test::TempFolder;

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
