// Tests for kernel32 file handles: CreateFileA dispositions and sharing, reading, writing, seeking,
// flushing and closing, including failures injected below the file layer.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "file_test_support.h"
#include "kernel32/posix.h"

namespace {

using file_test::openFile;
using file_test::PosixOverride;
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

TEST(CreateFileA, MissingFolderOnTheWayIsPathNotFound) {
  TempFolder folder;
  folder.write("file", "x");
  for (const char *name : {"nofolder/f", "file/f"}) {
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

// A file nobody may write is read-only for us too, even when the tests run as root.
TEST(CreateFileA, ReadOnlyFileRefusesWritingButOpensForReading) {
  TempFolder folder;
  std::string path = folder.write("f", "locked", 0444);
  for (DWORD disposition : {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS, TRUNCATE_EXISTING}) {
    SCOPED_TRACE(disposition);
    EXPECT_EQ(openFile(path, GENERIC_WRITE, 0, disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  }
  HANDLE reader = openFile(path, GENERIC_READ, 0, OPEN_EXISTING);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  EXPECT_EQ(folder.read("f"), "locked");
}

TEST(CreateFileA, FolderIsRefused) {
  TempFolder folder;
  for (DWORD disposition : {CREATE_ALWAYS, OPEN_EXISTING, OPEN_ALWAYS, TRUNCATE_EXISTING}) {
    for (DWORD access : {GENERIC_READ, kReadWrite}) {
      SCOPED_TRACE(testing::Message() << disposition << " " << access);
      EXPECT_EQ(openFile(folder.root(), access, FILE_SHARE_READ, disposition), INVALID_HANDLE_VALUE);
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
  }
  EXPECT_EQ(openFile(folder.root(), GENERIC_READ, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

// The open must not wait for a writer; the watchdog ends the test if it does.
TEST(CreateFileA, FifoWithoutWriterDoesNotBlock) {
  TempFolder folder;
  std::string path = folder.path("fifo");
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  alarm(10);
  HANDLE h = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileType(h), static_cast<DWORD>(FILE_TYPE_PIPE));
  char buffer[8];
  DWORD got = 99;
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
  EXPECT_EQ(got, 0u);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(openFile(path, GENERIC_WRITE, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);  // no reader either
  alarm(0);
}

TEST(CreateFileA, PathsAreUsedAsTheirBytes) {
  TempFolder folder;
  for (std::string name : {"back\\slash", "\xE4\xB8\xAD\xE6\x96\x87.bin", "C:file"}) {
    HANDLE h = openFile(folder.path(name), GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    CloseHandle(h);
    EXPECT_TRUE(folder.exists(name)) << name;
  }
  EXPECT_FALSE(folder.exists("back"));
}

// A handle is a token of its own: neither a descriptor number nor INVALID_HANDLE_VALUE.
TEST(CloseHandle, RefusesWhatIsNotAnOpenHandle) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "x"), GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_NE(h, nullptr);
  int fd = open(folder.path("f").c_str(), O_RDONLY);
  SetLastError(kUntouched);
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_NE(fcntl(fd, F_GETFD), -1);  // the call left descriptor fd alone
  close(fd);
  EXPECT_TRUE(CloseHandle(h));
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
  alignas(8) char overlapped[32] = {};
  EXPECT_FALSE(ReadFile(reader, buffer, 4, &done, reinterpret_cast<LPOVERLAPPED>(overlapped)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(WriteFile(writer, "x", 1, &done, reinterpret_cast<LPOVERLAPPED>(overlapped)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  done = 99;
  EXPECT_FALSE(ReadFile(nullptr, buffer, 4, &done, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(done, 0u);
  CloseHandle(reader);
  CloseHandle(writer);
  EXPECT_EQ(folder.read("r"), "abc");
  EXPECT_EQ(folder.read("w"), "");
}

// Faults injected below WriteFile and ReadFile, counted per test.
struct Faults {
  int calls = 0;
  size_t transferred = 0;
};
Faults faults;

ssize_t writeThreeBytesAtATime(int fd, const void *data, size_t count) {
  ++faults.calls;
  return write(fd, data, count < 3 ? count : 3);
}

ssize_t writeInterruptedEveryOtherCall(int fd, const void *data, size_t count) {
  if (++faults.calls % 2) return errno = EINTR, -1;
  return write(fd, data, count < 4 ? count : 4);
}

// Takes 10 bytes in 4-byte pieces, then the disk is full.
ssize_t writeUntilDiskFull(int fd, const void *data, size_t count) {
  if (faults.transferred >= 10) return errno = ENOSPC, -1;
  size_t piece = std::min<size_t>({count, 4, 10 - faults.transferred});
  ssize_t put = write(fd, data, piece);
  if (put > 0) faults.transferred += static_cast<size_t>(put);
  return put;
}

ssize_t writeFailingWithIoError(int, const void *, size_t) { return errno = EIO, -1; }

struct WriteFaultCase {
  const char *name;
  ssize_t (*write)(int, const void *, size_t);
  bool succeeds;
  DWORD written;
  DWORD error;
};

const WriteFaultCase kWriteFaults[] = {
    {"short writes", writeThreeBytesAtATime, true, 26, 0},
    {"EINTR", writeInterruptedEveryOtherCall, true, 26, 0},
    {"ENOSPC", writeUntilDiskFull, false, 10, ERROR_DISK_FULL},
    {"EIO", writeFailingWithIoError, false, 0, ERROR_WRITE_FAULT},
};

TEST(WriteFile, WritesEverythingOrSaysHowFarItGot) {
  const std::string data = "abcdefghijklmnopqrstuvwxyz";
  for (const auto &c : kWriteFaults) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    HANDLE h = openFile(folder.path("f"), GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    faults = {};
    DWORD written = 99;
    SetLastError(ERROR_SUCCESS);
    BOOL ok;
    {
      win32::posix::Calls calls = win32::posix::systemCalls();
      calls.write = c.write;
      PosixOverride override(calls);
      ok = WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    }
    CloseHandle(h);
    EXPECT_EQ(ok != FALSE, c.succeeds);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(folder.read("f"), data.substr(0, c.written));
  }
}

ssize_t readTwoBytesAfterInterrupt(int fd, void *data, size_t count) {
  if (++faults.calls % 2) return errno = EINTR, -1;
  return read(fd, data, count < 2 ? count : 2);
}

ssize_t readThenIoError(int fd, void *data, size_t count) {
  if (faults.calls++ > 0) return errno = EIO, -1;
  return read(fd, data, count < 3 ? count : 3);
}

TEST(ReadFile, RetriesShortAndInterruptedReads) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "0123456789"), GENERIC_READ, 0, OPEN_EXISTING);
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.read = readTwoBytesAfterInterrupt;
  faults = {};
  PosixOverride override(calls);
  char buffer[10];
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(h, buffer, 10, &got, nullptr));
  EXPECT_EQ(std::string(buffer, got), "0123456789");
  CloseHandle(h);
}

TEST(ReadFile, FailureKeepsTheCountSoFar) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "0123456789"), GENERIC_READ, 0, OPEN_EXISTING);
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.read = readThenIoError;
  faults = {};
  PosixOverride override(calls);
  char buffer[10];
  DWORD got = 0;
  EXPECT_FALSE(ReadFile(h, buffer, 10, &got, nullptr));
  EXPECT_EQ(got, 3u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_READ_FAULT));
  CloseHandle(h);
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

TEST(SetEndOfFile, NeedsWriteAccess) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "12345"), GENERIC_READ, 0, OPEN_EXISTING);
  SetFilePointer(h, 2, nullptr, FILE_BEGIN);
  EXPECT_FALSE(SetEndOfFile(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(FlushFileBuffers(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(h);
  EXPECT_EQ(folder.read("f"), "12345");
}

int syncedFd = -1;
int recordSync(int fd) { return syncedFd = fd, 0; }
int failSync(int) { return errno = EIO, -1; }
int failClose(int fd) { return close(fd), errno = EIO, -1; }

TEST(FlushFileBuffers, SyncsTheFileAndReportsFailure) {
  TempFolder folder;
  HANDLE h = openFile(folder.path("f"), GENERIC_WRITE, 0, CREATE_NEW);
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.fsync = recordSync;
  {
    PosixOverride override(calls);
    syncedFd = -1;
    EXPECT_TRUE(FlushFileBuffers(h));
    EXPECT_GE(syncedFd, 0);
  }
  calls.fsync = failSync;
  {
    PosixOverride override(calls);
    EXPECT_FALSE(FlushFileBuffers(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
  }
  CloseHandle(h);
}

// A failing close() still ends the handle, but the caller learns that data may be lost.
TEST(CloseHandle, ReportsAFailingClose) {
  TempFolder folder;
  HANDLE h = openFile(folder.path("f"), GENERIC_WRITE, 0, CREATE_NEW);
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.close = failClose;
  {
    PosixOverride override(calls);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
  }
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
