// Tests for GetCurrentDirectoryA and SetCurrentDirectoryA.
#include <gtest/gtest.h>
#include <limits.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"

namespace {

using file_test::TempFolder;

// Every test works in a folder of its own and goes back to where it started.
class CurrentDirectory : public testing::Test {
 protected:
  CurrentDirectory() {
    char start[PATH_MAX];
    start_ = getcwd(start, sizeof start) ? start : "/";
    if (chdir(folder_.root().c_str()) != 0) ADD_FAILURE() << "chdir failed";
    char here[PATH_MAX];
    here_ = getcwd(here, sizeof here) ? here : "";
  }
  ~CurrentDirectory() override {
    if (chdir(start_.c_str()) != 0) ADD_FAILURE() << "could not return to " << start_;
  }

  TempFolder folder_;
  std::string start_, here_;
};

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

TEST_F(CurrentDirectory, RemovedDirectoryFails) {
  ASSERT_EQ(mkdir("gone", 0755), 0);
  ASSERT_EQ(chdir("gone"), 0);
  ASSERT_EQ(rmdir((here_ + "/gone").c_str()), 0);
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(CurrentDirectory, SetChangesItAndRefusesWhatIsNoFolder) {
  ASSERT_EQ(mkdir("sub", 0755), 0);
  folder_.write("file", "x");
  EXPECT_TRUE(SetCurrentDirectoryA("sub"));
  char buffer[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(std::string(buffer), here_ + "/sub");
  EXPECT_TRUE(SetCurrentDirectoryA(".."));
  struct Case {
    const char *path;
    DWORD error;
  } cases[] = {{"missing", ERROR_FILE_NOT_FOUND},
               {"missing/x", ERROR_PATH_NOT_FOUND},
               {"file/x", ERROR_PATH_NOT_FOUND},
               {"file", ERROR_DIRECTORY}};
  for (const auto &c : cases) {
    EXPECT_FALSE(SetCurrentDirectoryA(c.path)) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  ASSERT_NE(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(std::string(buffer), here_);
}

}  // namespace
