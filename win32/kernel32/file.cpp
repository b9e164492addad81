// kernel32: reading, writing, positioning, flushing and closing file handles.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "kernel32/error.h"
#include "kernel32/file_paths.h"
#include "kernel32/file_table.h"
#include "kernel32/posix.h"
#include "kernel32/temporary_files.h"

namespace {

using win32::posix::calls;

std::optional<win32::OpenFile> fileOrError(HANDLE handle) {
  auto file = win32::findOpenFile(handle);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

// A read stops at end of file, and on a pipe or device as soon as something has arrived.
BOOL readAll(const win32::OpenFile &file, BYTE *buffer, DWORD count, DWORD &done) {
  while (done < count) {
    ssize_t got = calls().read(file.fd, buffer + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      SetLastError(win32::errorFromErrno(errno, win32::IoDirection::Read));
      return FALSE;
    }
    if (got == 0) break;
    done += static_cast<DWORD>(got);
    if (!file.regular) break;
  }
  return TRUE;
}

BOOL writeAll(const win32::OpenFile &file, const BYTE *buffer, DWORD count, DWORD &done) {
  while (done < count) {
    ssize_t put = calls().write(file.fd, buffer + done, count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      SetLastError(put < 0 ? win32::errorFromErrno(errno, win32::IoDirection::Write) : ERROR_WRITE_FAULT);
      return FALSE;
    }
    done += static_cast<DWORD>(put);
  }
  return TRUE;
}

// The base a move starts from, or -1 with errno set.
off_t moveBase(const win32::OpenFile &file, DWORD method) {
  if (method == FILE_BEGIN) return 0;
  if (method == FILE_CURRENT) return calls().lseek(file.fd, 0, SEEK_CUR);
  struct stat info;
  return calls().fstat(file.fd, &info) == 0 ? info.st_size : -1;
}

}  // namespace

// -1 is also the current process's pseudo handle, which closes as a no-op on Windows.
extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
  auto file = win32::removeOpenFile(hObject);
  if (!file) {
    if (hObject == INVALID_HANDLE_VALUE) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (file->temporary) {
    win32::keepTemporary(file->name, file->fd);
    return TRUE;
  }
  // Linux releases the descriptor even when close() reports EINTR; any other error may mean that
  // data written earlier did not reach the disk.
  if (calls().close(file->fd) != 0 && errno != EINTR) {
    SetLastError(win32::errorFromErrno(errno, win32::IoDirection::Write));
    return FALSE;
  }
  return TRUE;
}

extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                                LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  auto file = fileOrError(hFile);
  if (!file) return FALSE;
  if (lpOverlapped != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!(file->access & GENERIC_READ)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD done = 0;
  BOOL ok = readAll(*file, static_cast<BYTE *>(lpBuffer), nNumberOfBytesToRead, done);
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  return ok;
}

extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  auto file = fileOrError(hFile);
  if (!file) return FALSE;
  if (lpOverlapped != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!(file->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD done = 0;
  BOOL ok = writeAll(*file, static_cast<const BYTE *>(lpBuffer), nNumberOfBytesToWrite, done);
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  return ok;
}

// Without a high part the distance is a signed 32-bit value. The result is the low part of the new
// position; as that may be 0xFFFFFFFF, success then clears the last error so callers can tell.
extern "C" DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LPLONG lpDistanceToMoveHigh,
                                       DWORD dwMoveMethod) {
  auto file = fileOrError(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  if (dwMoveMethod > FILE_END) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  int64_t distance = lDistanceToMove;
  if (lpDistanceToMoveHigh) {
    uint64_t high = static_cast<uint32_t>(*lpDistanceToMoveHigh);
    distance = static_cast<int64_t>(high << 32 | static_cast<uint32_t>(lDistanceToMove));
  }
  off_t base = moveBase(*file, dwMoveMethod);
  int64_t target;
  if (base < 0 || __builtin_add_overflow(static_cast<int64_t>(base), distance, &target)) {
    SetLastError(base < 0 ? win32::errorFromErrno(errno) : ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (target < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  if (calls().lseek(file->fd, target, SEEK_SET) < 0) {
    SetLastError(win32::errorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(target >> 32);
  DWORD low = static_cast<DWORD>(target);
  if (low == INVALID_SET_FILE_POINTER) SetLastError(ERROR_SUCCESS);
  return low;
}

// The file ends at the handle's position. Windows refuses this without write access with
// ERROR_ACCESS_DENIED, as WriteFile does (Wine 8 says ERROR_INVALID_PARAMETER, Linux's answer for
// truncating a descriptor open for reading).
extern "C" BOOL WINAPI SetEndOfFile(HANDLE hFile) {
  auto file = fileOrError(hFile);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  off_t position = calls().lseek(file->fd, 0, SEEK_CUR);
  if (position < 0 || calls().ftruncate(file->fd, position) != 0) {
    SetLastError(win32::errorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

extern "C" BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
  auto file = fileOrError(hFile);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD error = win32::syncDescriptor(file->fd);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
