// Files made as temporary: private from the start, without a name where the file system allows, and
// still reached by the program under the path they were made with.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "posix_file_test_support.h"

namespace {

using file_test::PosixOverride;
using file_test::TempFolder;

HANDLE makeTemporary(const std::string &path) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
}

bool writeText(HANDLE file, const std::string &text) {
  DWORD wrote = 0;
  return WriteFile(file, text.data(), DWORD(text.size()), &wrote, nullptr) && wrote == text.size();
}

long entries(const TempFolder &folder) {
  return std::distance(std::filesystem::directory_iterator(folder.root()), {});
}

int refuseNamelessFiles(int folder, const char *name, int flags, mode_t mode) {
  if ((flags & O_TMPFILE) == O_TMPFILE) return errno = EOPNOTSUPP, -1;
  return openat(folder, name, flags, mode);
}

TEST(TemporaryFiles, HaveNoNameYetReachTheirPlaceAndTakeTheirNameOnlyWhereNeeded) {
  for (bool nameless : {true, false}) {
    SCOPED_TRACE(nameless ? "a file system with nameless files" : "one without");
    TempFolder folder;
    std::string document = file_test::writeWithMode(folder, "doc", "old", 0640), temporary = folder.path("doc.new");
    win32::posix::Calls calls = win32::posix::systemCalls();
    if (!nameless) calls.openat = refuseNamelessFiles;
    PosixOverride override(calls);

    HANDLE file = makeTemporary(temporary);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(writeText(file, "new"));
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(entries(folder), nameless ? 1 : 2);
    if (!nameless) {
      EXPECT_EQ(file_test::permissionBits(temporary), 0600u);  // private from the start
    }
    // The name is the program's until the file is put in place or let go.
    EXPECT_EQ(makeTemporary(temporary), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

    ASSERT_TRUE(ReplaceFileA(document.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(folder.read("doc"), "new");
    EXPECT_EQ(file_test::permissionBits(document), 0640u);
    EXPECT_EQ(entries(folder), 1);

    // Let go unused, it leaves nothing behind; its name is free again.
    file = makeTemporary(temporary);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(DeleteFileA(temporary.c_str()));
    EXPECT_EQ(entries(folder), 1);
    file = makeTemporary(temporary);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    DeleteFileA(temporary.c_str());
  }
}

}  // namespace
