// Tests for the stand-in's GetTempFileNameA where only a failure injected below it makes the situation.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "posix_file_test_support.h"

namespace {

using file_test::PosixOverride;
using file_test::TempFolder;

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

}  // namespace
