// Tests for the stand-in's GetFileAttributesA on what only Linux makes here: symbolic links.
#include <gtest/gtest.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "posix_file_test_support.h"

namespace {

using file_test::TempFolder;

// A symbolic link has the attributes of what it leads to.
TEST(GetFileAttributesA, FollowsSymbolicLinks) {
  TempFolder folder;
  folder.write("plain", "x");
  ASSERT_EQ(symlink("plain", folder.path("link").c_str()), 0);
  EXPECT_EQ(GetFileAttributesA(folder.path("link").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

}  // namespace
