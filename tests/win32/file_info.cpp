// Tests for kernel32 handle queries: GetFileType, GetFileSize, GetFileInformationByHandle.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "file_test_support.h"
#include "support/platform_files.h"

namespace {

using file_test::openFile;
using file_test::TempFolder;

constexpr DWORD kUntouched = 0xDEAD;

TEST(GetFileType, TellsDisksDevicesAndPipes) {
  TempFolder folder;
  std::string pipe = platform::makePipe(folder.root());
  ASSERT_FALSE(pipe.empty());
  struct Case {
    std::string path;
    DWORD type;
  } cases[] = {{folder.write("f", "x"), FILE_TYPE_DISK}, {platform::characterDevice(), FILE_TYPE_CHAR},
               {pipe, FILE_TYPE_PIPE}};
  for (const auto &c : cases) {
    HANDLE h = openFile(c.path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(GetFileType(h), c.type) << c.path;
    CloseHandle(h);
  }
  SetLastError(kUntouched);
  EXPECT_EQ(GetFileType(nullptr), static_cast<DWORD>(FILE_TYPE_UNKNOWN));
  EXPECT_EQ(GetFileType(INVALID_HANDLE_VALUE), static_cast<DWORD>(FILE_TYPE_UNKNOWN));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

struct SizeCase {
  const char *name;
  std::uint64_t size;
  DWORD low, high;
};

// Sparse files where the file system allows, so the large sizes cost no disk space.
const SizeCase kSizes[] = {
    {"empty", 0, 0, 0},
    {"small", 5, 5, 0},
    {"just under 4 GiB", 0xFFFFFFFEull, 0xFFFFFFFE, 0},
    {"4 GiB + 10", 0x10000000Aull, 10, 1},
};

TEST(GetFileSize, GivesTheLowPartAndTheHighPartThroughThePointer) {
  TempFolder folder;
  for (const auto &c : kSizes) {
    SCOPED_TRACE(c.name);
    std::string path = folder.write(c.name, "");
    ASSERT_TRUE(platform::resizeFile(path, c.size));
    HANDLE h = openFile(path, GENERIC_READ, 0, OPEN_EXISTING);
    DWORD high = 99;
    SetLastError(kUntouched);
    EXPECT_EQ(GetFileSize(h, &high), c.low);
    EXPECT_EQ(high, c.high);
    EXPECT_EQ(GetFileSize(h, nullptr), c.low);  // the high part is simply dropped
    EXPECT_EQ(GetLastError(), kUntouched);
    CloseHandle(h);
  }
}

// A low part of 0xFFFFFFFF is also INVALID_FILE_SIZE, so success clears the last error.
TEST(GetFileSize, SizeThatLooksLikeFailureClearsTheLastError) {
  TempFolder folder;
  std::string path = folder.write("f", "");
  ASSERT_TRUE(platform::resizeFile(path, 0xFFFFFFFFu));
  HANDLE h = openFile(path, GENERIC_READ, 0, OPEN_EXISTING);
  DWORD high = 99;
  SetLastError(kUntouched);
  EXPECT_EQ(GetFileSize(h, &high), INVALID_FILE_SIZE);
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(h);
  EXPECT_EQ(GetFileSize(h, &high), INVALID_FILE_SIZE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

BY_HANDLE_FILE_INFORMATION infoOf(const std::string &path) {
  BY_HANDLE_FILE_INFORMATION info{};
  HANDLE h = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  EXPECT_TRUE(GetFileInformationByHandle(h, &info)) << path;
  CloseHandle(h);
  return info;
}

bool sameFile(const BY_HANDLE_FILE_INFORMATION &a, const BY_HANDLE_FILE_INFORMATION &b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

TEST(GetFileInformationByHandle, IdentifiesFilesAndCountsLinks) {
  TempFolder folder;
  std::string a = folder.write("a", "twelve bytes"), b = folder.write("b", "other");
  std::filesystem::create_hard_link(a, folder.path("a2"));
  BY_HANDLE_FILE_INFORMATION ofA = infoOf(a), ofLink = infoOf(folder.path("a2")), ofB = infoOf(b);
  EXPECT_TRUE(sameFile(ofA, ofLink));
  EXPECT_FALSE(sameFile(ofA, ofB));
  EXPECT_EQ(ofA.nNumberOfLinks, 2u);
  EXPECT_EQ(ofB.nNumberOfLinks, 1u);
  EXPECT_EQ(ofA.nFileSizeLow, 12u);
  EXPECT_EQ(ofA.nFileSizeHigh, 0u);
  EXPECT_EQ(ofA.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));  // as GetFileAttributesA says
  EXPECT_NE(ofA.ftLastWriteTime.dwHighDateTime, 0u);  // a date after 1601
}

TEST(GetFileInformationByHandle, ReportsReadOnlyFiles) {
  TempFolder folder;
  EXPECT_EQ(infoOf(folder.writeReadOnly("ro", "x")).dwFileAttributes,
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
  BY_HANDLE_FILE_INFORMATION info;
  EXPECT_FALSE(GetFileInformationByHandle(nullptr, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
