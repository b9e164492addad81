// Tests for the stand-in's GetCurrentDirectoryA where only Linux makes the situation: Windows removes no
// folder that is a process's current directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "posix_file_test_support.h"

namespace {

using file_test::CurrentDirectory;

TEST_F(CurrentDirectory, RemovedDirectoryFails) {
  ASSERT_EQ(mkdir("gone", 0755), 0);
  ASSERT_EQ(chdir("gone"), 0);
  ASSERT_EQ(rmdir((here_ + "/gone").c_str()), 0);
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
