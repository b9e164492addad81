// Tests for the stand-in's kernel32 file handles where only Linux can make the situation: FIFOs, paths as
// bytes, descriptor numbers, the I/O it does not offer, and failures injected below the file layer.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "kernel32/posix.h"
#include "posix_file_test_support.h"

namespace {

using file_test::openFile;
using file_test::PosixOverride;
using file_test::TempFolder;

constexpr DWORD kUntouched = 0xDEAD;

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

// A handle is a token of its own, not a descriptor number: closing the number of an open descriptor is
// refused and leaves the descriptor alone.
TEST(CloseHandle, RefusesADescriptorNumber) {
  TempFolder folder;
  HANDLE h = openFile(folder.write("f", "x"), GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  int fd = open(folder.path("f").c_str(), O_RDONLY);
  SetLastError(kUntouched);
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd))));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_NE(fcntl(fd, F_GETFD), -1);  // the call left descriptor fd alone
  close(fd);
  EXPECT_TRUE(CloseHandle(h));
}

// The stand-in offers no overlapped I/O: an OVERLAPPED is refused rather than its offset ignored (Windows
// reads and writes at the OVERLAPPED's offset, also on a handle opened without FILE_FLAG_OVERLAPPED).
TEST(ReadWriteFile, RefuseOverlappedIo) {
  TempFolder folder;
  HANDLE reader = openFile(folder.write("r", "abc"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  HANDLE writer = openFile(folder.path("w"), GENERIC_WRITE, 0, CREATE_NEW);
  char buffer[4];
  DWORD done = 99;
  alignas(8) char overlapped[32] = {};
  EXPECT_FALSE(ReadFile(reader, buffer, 4, &done, reinterpret_cast<LPOVERLAPPED>(overlapped)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(WriteFile(writer, "x", 1, &done, reinterpret_cast<LPOVERLAPPED>(overlapped)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
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
