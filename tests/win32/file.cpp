// Tests for kernel32 file handles: CreateFileA dispositions and sharing, reading, writing, seeking,
// flushing and closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"
#include "support/platform_files.h"
#include "support/wine.h"

namespace {

using file_test::join;
using file_test::openFile;
using file_test::TempFolder;

constexpr DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD kUntouched = 0xDEAD;

struct DispositionCase {
  DWORD disposition;
  bool fileExists;
  bool succeeds;
  DWORD error;            // the last error, also after success
  const char *contentAfter;  // nullptr: the file does not exist afterwards
};

// What Windows answers for each disposition, on a file holding "hello" and on a missing one.
const DispositionCase kDispositions[] = {
    {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "hello"},
    {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
    {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
    {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
    {OPEN_EXISTING, true, true, ERROR_SUCCESS, "hello"},
    {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
    {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "hello"},
    {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
    {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
    {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
    {0, true, false, ERROR_INVALID_PARAMETER, "hello"},
    {6, false, false, ERROR_INVALID_PARAMETER, nullptr},
};

TEST(CreateFileA, DispositionsOnExistingAndMissingFiles) {
  for (const auto &c : kDispositions) {
    SCOPED_TRACE(testing::Message() << "disposition " << c.disposition << (c.fileExists ? " existing" : " missing"));
    TempFolder folder;
    if (c.fileExists) folder.write("f", "hello");
    SetLastError(kUntouched);
    HANDLE h = openFile(folder.path("f"), kReadWrite, 0, c.disposition);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.succeeds);
    if (h != INVALID_HANDLE_VALUE) {
      EXPECT_TRUE(CloseHandle(h));
    }
    EXPECT_EQ(folder.exists("f"), c.contentAfter != nullptr);
    if (c.contentAfter) {
      EXPECT_EQ(folder.read("f"), c.contentAfter);
    }
  }
}

// TRUNCATE_EXISTING asks for GENERIC_WRITE itself: without it Windows says ERROR_INVALID_PARAMETER and
// leaves the file alone, whatever other access is asked for (Wine's conformance tests,
// dlls/kernel32/tests/file.c test_CreateFile, expect this of Windows and mark Wine's answer as its fault).
// Wine 8 opens the file and empties it.
TEST(CreateFileA, TruncatingNeedsGenericWrite) {
  TempFolder folder;
  std::string path = folder.write("f", "hello");
  for (DWORD access : {DWORD(0), DWORD(GENERIC_READ)}) {
    SCOPED_TRACE(access);
    HANDLE h = openFile(path, access, 0, TRUNCATE_EXISTING);
    if (runningUnderWine()) {
      EXPECT_NE(h, INVALID_HANDLE_VALUE);
      CloseHandle(h);
      EXPECT_EQ(folder.read("f"), "");
      continue;
    }
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(folder.read("f"), "hello");
  }
}

TEST(CreateFileA, MissingFolderOnTheWayIsPathNotFound) {
  TempFolder folder;
  folder.write("file", "x");
  for (const std::string &name : {join("nofolder", "f"), join("file", "f")}) {
    for (DWORD disposition : {OPEN_EXISTING, CREATE_ALWAYS}) {
      SCOPED_TRACE(name);
      EXPECT_EQ(openFile(folder.path(name), GENERIC_WRITE, 0, disposition), INVALID_HANDLE_VALUE);
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    }
  }
  EXPECT_EQ(openFile("", GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

struct SharingCase {
  DWORD firstAccess, firstShare, secondAccess, secondShare;
  bool secondOpens;
};

// Windows' two-way rule: each side must share what the other uses; handles without read or write
// access take no part.
const SharingCase kSharing[] = {
    {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
    {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
    {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, 0, false},
    {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    {GENERIC_READ, 0, GENERIC_READ, FILE_SHARE_READ, false},
    {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, false},
    {GENERIC_WRITE, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    {GENERIC_WRITE, FILE_SHARE_WRITE, GENERIC_WRITE, FILE_SHARE_WRITE, true},
    {GENERIC_WRITE, 0, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
    {0, 0, GENERIC_READ, 0, true},
    {GENERIC_READ, 0, 0, 0, true},
};

TEST(CreateFileA, ShareModesBetweenHandlesOfTheProcess) {
  TempFolder folder;
  std::string path = folder.write("f", "abc");
  for (const auto &c : kSharing) {
    SCOPED_TRACE(testing::Message() << std::hex << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess
                                    << "/" << c.secondShare);
    HANDLE first = openFile(path, c.firstAccess, c.firstShare, OPEN_EXISTING);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE second = openFile(path, c.secondAccess, c.secondShare, OPEN_EXISTING);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens);
    if (second == INVALID_HANDLE_VALUE) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    } else {
      CloseHandle(second);
    }
    CloseHandle(first);
  }
}

TEST(CreateFileA, RefusedCreateAlwaysLeavesTheContent) {
  TempFolder folder;
  std::string path = folder.write("f", "keep me");
  HANDLE reader = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  for (DWORD disposition : {CREATE_ALWAYS, TRUNCATE_EXISTING}) {
    EXPECT_EQ(openFile(path, GENERIC_WRITE, FILE_SHARE_READ, disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  }
  CloseHandle(reader);
  EXPECT_EQ(folder.read("f"), "keep me");
}

// A file nobody may write is read-only for us too, even when the tests run as root: Windows' read-only
// attribute binds every user, administrators included ("applications can read the file, but cannot write to
// it or delete it", FILE_ATTRIBUTE_READONLY). Wine started by Unix root opens it for writing like any file
// (platform::wineRunsAsRoot), and CREATE_ALWAYS and TRUNCATE_EXISTING then empty it.
TEST(CreateFileA, ReadOnlyFileRefusesWritingButOpensForReading) {
  TempFolder folder;
  std::string path = folder.writeReadOnly("f", "locked");
  const bool wineAsRoot = platform::wineRunsAsRoot();
  for (DWORD disposition : {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS, TRUNCATE_EXISTING}) {
    SCOPED_TRACE(disposition);
    HANDLE writer = openFile(path, GENERIC_WRITE, 0, disposition);
    if (wineAsRoot) {
      EXPECT_NE(writer, INVALID_HANDLE_VALUE);
      CloseHandle(writer);
      continue;
    }
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  }
  HANDLE reader = openFile(path, GENERIC_READ, 0, OPEN_EXISTING);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  EXPECT_EQ(folder.read("f"), wineAsRoot ? "" : "locked");
}

// Windows opens a name as a file, and a folder is not one: every disposition is refused. Two refusals
// differ under Wine, which Wine's own conformance tests (dlls/kernel32/tests/file.c, test_CreateFile) mark
// as its faults while they pass on Windows: CREATE_NEW gives ERROR_ACCESS_DENIED on Windows and
// ERROR_FILE_EXISTS under Wine, and TRUNCATE_EXISTING without GENERIC_WRITE ERROR_INVALID_PARAMETER on
// Windows (checked before the file is looked at) and ERROR_ACCESS_DENIED under Wine.
TEST(CreateFileA, FolderIsRefused) {
  TempFolder folder;
  for (DWORD disposition : {CREATE_ALWAYS, OPEN_EXISTING, OPEN_ALWAYS, TRUNCATE_EXISTING}) {
    for (DWORD access : {GENERIC_READ, kReadWrite}) {
      SCOPED_TRACE(testing::Message() << disposition << " " << access);
      DWORD refusal = ERROR_ACCESS_DENIED;
      if (disposition == TRUNCATE_EXISTING && !(access & GENERIC_WRITE) && !runningUnderWine())
        refusal = ERROR_INVALID_PARAMETER;
      EXPECT_EQ(openFile(folder.root(), access, FILE_SHARE_READ, disposition), INVALID_HANDLE_VALUE);
      EXPECT_EQ(GetLastError(), refusal);
    }
  }
  EXPECT_EQ(openFile(folder.root(), GENERIC_READ, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(runningUnderWine() ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED));
}

// A handle ends once: closing it again, or closing no handle at all, is refused.
TEST(CloseHandle, RefusesWhatIsNotAnOpenHandle) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "x"), GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(CloseHandle(h));
  SetLastError(kUntouched);
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ReadFile, StopsAtEndOfFileWithSuccess) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "12345"), GENERIC_READ, 0, OPEN_EXISTING);
  char buffer[20] = {};
  DWORD got = 99;
  SetLastError(kUntouched);
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(got, 5u);
  EXPECT_EQ(std::string(buffer, got), "12345");
  got = 99;
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(GetLastError(), kUntouched);
  CloseHandle(h);
}

TEST(ReadWriteFile, RefuseWhatTheHandleDoesNotAllow) {
  TempFolder folder;
  HANDLE reader = openFile(folder.write("r", "abc"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  HANDLE writer = openFile(folder.path("w"), GENERIC_WRITE, 0, CREATE_NEW);
  char buffer[4];
  DWORD done = 99;
  EXPECT_FALSE(WriteFile(reader, "x", 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(done, 0u);
  done = 99;
  EXPECT_FALSE(ReadFile(writer, buffer, 4, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(done, 0u);
  done = 99;
  EXPECT_FALSE(ReadFile(nullptr, buffer, 4, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(done, 0u);
  CloseHandle(reader);
  CloseHandle(writer);
  EXPECT_EQ(folder.read("r"), "abc");
  EXPECT_EQ(folder.read("w"), "");
}

DWORD position(HANDLE h) { return SetFilePointer(h, 0, nullptr, FILE_CURRENT); }

TEST(SetFilePointer, OverwritesAFileInPlace) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "hello world"), kReadWrite, 0, OPEN_EXISTING);
  DWORD done;
  EXPECT_EQ(SetFilePointer(h, -5, nullptr, FILE_END), 6u);
  EXPECT_EQ(SetFilePointer(h, -2, nullptr, FILE_CURRENT), 4u);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
  EXPECT_TRUE(WriteFile(h, "HELLO", 5, &done, nullptr));
  EXPECT_EQ(position(h), 5u);
  EXPECT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
  EXPECT_EQ(folder.read("f"), "HELLO");
}

TEST(SetFilePointer, RefusesNegativePositionsAndUnknownMethods) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "12345"), GENERIC_READ, 0, OPEN_EXISTING);
  SetFilePointer(h, 2, nullptr, FILE_BEGIN);
  EXPECT_EQ(SetFilePointer(h, -10, nullptr, FILE_END), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(SetFilePointer(h, static_cast<LONG>(0xFFFFFFF0), nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(position(h), 2u);
  SetLastError(kUntouched);
  EXPECT_EQ(SetFilePointer(h, 100, nullptr, FILE_BEGIN), 100u);  // past the end is allowed
  EXPECT_EQ(GetLastError(), kUntouched);
  CloseHandle(h);
}

TEST(SetFilePointer, HighPartMovesPast4GiB) {
  TempFolder folder;
  HANDLE h = openFile(folder.path("f"), kReadWrite, 0, CREATE_NEW);
  LONG high = 1;
  EXPECT_EQ(SetFilePointer(h, 5, &high, FILE_BEGIN), 5u);
  EXPECT_EQ(high, 1);
  high = 0;
  SetLastError(kUntouched);
  EXPECT_EQ(SetFilePointer(h, -1, &high, FILE_BEGIN), INVALID_SET_FILE_POINTER);  // 0xFFFFFFFF itself
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  high = -1;
  EXPECT_EQ(SetFilePointer(h, -1, &high, FILE_BEGIN), INVALID_SET_FILE_POINTER);  // -1 as 64 bits
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  CloseHandle(h);
}

// Without write access Windows refuses with ERROR_ACCESS_DENIED: SetEndOfFile needs a handle with
// GENERIC_WRITE, and the end-of-file information it sets asks for FILE_WRITE_DATA, whose absence the system
// reports as access denied (SetEndOfFile, NtSetInformationFile). Wine 8 passes on Linux's answer to
// truncating a descriptor open for reading, EINVAL: ERROR_INVALID_PARAMETER.
TEST(SetEndOfFile, NeedsWriteAccess) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "12345"), GENERIC_READ, 0, OPEN_EXISTING);
  SetFilePointer(h, 2, nullptr, FILE_BEGIN);
  EXPECT_FALSE(SetEndOfFile(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(runningUnderWine() ? ERROR_INVALID_PARAMETER : ERROR_ACCESS_DENIED));
  EXPECT_FALSE(FlushFileBuffers(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(h);
  EXPECT_EQ(folder.read("f"), "12345");
}

}  // namespace
