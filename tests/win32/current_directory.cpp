// Tests for GetCurrentDirectoryA and SetCurrentDirectoryA.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"

namespace {

using file_test::CurrentDirectory;
using file_test::join;

TEST_F(CurrentDirectory, BufferSizeRules) {
  const DWORD length = static_cast<DWORD>(here_.size());
  struct Case {
    DWORD size;
    DWORD result;
    bool filled;
  } cases[] = {{0, length + 1, false},
               {length - 1, length + 1, false},
               {length, length + 1, false},  // no room for the NUL
               {length + 1, length, true},
               {length + 50, length, true}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.size);
    std::string buffer(length + 60, 'Z');
    SetLastError(0xDEAD);
    EXPECT_EQ(GetCurrentDirectoryA(c.size, buffer.data()), c.result);
    EXPECT_EQ(GetLastError(), 0xDEADu);
    std::string expected = c.filled ? here_ + '\0' + std::string(59, 'Z') : std::string(length + 60, 'Z');
    EXPECT_EQ(buffer, expected);
  }
  EXPECT_EQ(GetCurrentDirectoryA(100, nullptr), length + 1);
}

TEST_F(CurrentDirectory, SetChangesItAndRefusesWhatIsNoFolder) {
  folder_.makeFolder("sub");
  folder_.write("file", "x");
  EXPECT_TRUE(SetCurrentDirectoryA("sub"));
  char buffer[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(std::string(buffer), join(here_, "sub"));
  EXPECT_TRUE(SetCurrentDirectoryA(".."));
  struct Case {
    std::string path;
    DWORD error;
  } cases[] = {{"missing", ERROR_FILE_NOT_FOUND},
               {join("missing", "x"), ERROR_PATH_NOT_FOUND},
               {join("file", "x"), ERROR_PATH_NOT_FOUND},
               {"file", ERROR_DIRECTORY}};
  for (const auto &c : cases) {
    EXPECT_FALSE(SetCurrentDirectoryA(c.path.c_str())) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  ASSERT_NE(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(std::string(buffer), here_);
}

}  // namespace
