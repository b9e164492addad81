// kernel32: what a file handle refers to: its type, size and identity.
#include <errno.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include <optional>

#include "kernel32/error.h"
#include "kernel32/file_attributes.h"
#include "kernel32/file_table.h"
#include "kernel32/posix.h"

namespace {

using win32::posix::calls;

// The file's status through its handle; on failure the last error says why.
std::optional<struct stat> statusOf(HANDLE handle, int *fd = nullptr) {
  auto file = win32::findOpenFile(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return std::nullopt;
  }
  struct stat info;
  if (calls().fstat(file->fd, &info) != 0) {
    SetLastError(win32::errorFromErrno(errno, win32::IoDirection::Read));
    return std::nullopt;
  }
  if (fd) *fd = file->fd;
  return info;
}

// FILETIME counts 100-nanosecond intervals since 1601-01-01; times before that are clamped to it.
FILETIME fileTime(const struct timespec &time) {
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
  int64_t seconds = static_cast<int64_t>(time.tv_sec) + kSecondsFrom1601To1970;
  uint64_t ticks = seconds < 0 ? 0 : static_cast<uint64_t>(seconds) * 10000000u + time.tv_nsec / 100;
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

extern "C" DWORD WINAPI GetFileType(HANDLE hFile) {
  auto info = statusOf(hFile);
  if (!info) return FILE_TYPE_UNKNOWN;
  if (S_ISREG(info->st_mode)) return FILE_TYPE_DISK;
  if (S_ISCHR(info->st_mode) || S_ISBLK(info->st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(info->st_mode) || S_ISSOCK(info->st_mode)) return FILE_TYPE_PIPE;
  SetLastError(ERROR_SUCCESS);
  return FILE_TYPE_UNKNOWN;
}

// Without a pointer for the high part a size of 4 GiB or more gives just its low part, as on
// Windows. A low part of 0xFFFFFFFF clears the last error so callers can tell it from a failure.
extern "C" DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto info = statusOf(hFile);
  if (!info) return INVALID_FILE_SIZE;
  uint64_t size = static_cast<uint64_t>(info->st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  DWORD low = static_cast<DWORD>(size);
  if (low == INVALID_FILE_SIZE) SetLastError(ERROR_SUCCESS);
  return low;
}

// The volume serial number and file index are the device and inode numbers, so two handles refer to
// the same file exactly when those three match.
extern "C" BOOL WINAPI GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
  int fd = -1;
  auto info = statusOf(hFile, &fd);
  if (!info) return FALSE;
  if (lpFileInformation == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  char fdPath[64];
  snprintf(fdPath, sizeof fdPath, "/proc/self/fd/%d", fd);
  uint64_t size = static_cast<uint64_t>(info->st_size);
  uint64_t index = static_cast<uint64_t>(info->st_ino);
  uint64_t device = static_cast<uint64_t>(info->st_dev);
  *lpFileInformation = {};
  lpFileInformation->dwFileAttributes = win32::attributesOf(*info, fdPath);
  lpFileInformation->ftCreationTime = fileTime(info->st_ctim);  // stat() has no creation time
  lpFileInformation->ftLastAccessTime = fileTime(info->st_atim);
  lpFileInformation->ftLastWriteTime = fileTime(info->st_mtim);
  lpFileInformation->dwVolumeSerialNumber = static_cast<DWORD>(device ^ (device >> 32));
  lpFileInformation->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  lpFileInformation->nFileSizeLow = static_cast<DWORD>(size);
  lpFileInformation->nNumberOfLinks = static_cast<DWORD>(info->st_nlink);
  lpFileInformation->nFileIndexHigh = static_cast<DWORD>(index >> 32);
  lpFileInformation->nFileIndexLow = static_cast<DWORD>(index);
  return TRUE;
}

// The path the handle's file has now, with every symbolic link resolved (read from /proc, where Linux
// keeps it). Returns the length without the NUL, or the size needed with it when the buffer is too small.
extern "C" DWORD WINAPI GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath, DWORD) {
  auto file = win32::findOpenFile(hFile);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  char link[64], target[4096];
  snprintf(link, sizeof link, "/proc/self/fd/%d", file->fd);
  ssize_t length = readlink(link, target, sizeof target - 1);
  if (length < 0) {
    SetLastError(win32::errorFromErrno(errno));
    return 0;
  }
  if (DWORD(length) + 1 > cchFilePath || !lpszFilePath) return DWORD(length) + 1;
  memcpy(lpszFilePath, target, size_t(length));
  lpszFilePath[length] = 0;
  return DWORD(length);
}
