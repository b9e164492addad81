// kernel32: the last-error code and the translation of POSIX errors into Win32 error codes.
#include "kernel32/error.h"

#include <errno.h>
#include <sys/stat.h>

#include <string>

#include "kernel32/file_paths.h"
#include "kernel32/posix.h"

namespace {

// Each thread has its own last-error code, as on Windows.
thread_local DWORD lastError = ERROR_SUCCESS;

bool isFolder(const std::string &path) {
  struct stat info;
  return win32::posix::calls().stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

namespace win32 {

DWORD errorFromErrno(int error, IoDirection direction) {
  switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EFAULT: return ERROR_NOACCESS;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case ENXIO:
    case ENODEV: return ERROR_FILE_NOT_FOUND;  // a device or FIFO end that is not there
    case EPIPE: return ERROR_BROKEN_PIPE;
    case EAGAIN: return ERROR_NO_DATA;  // what a non-blocking pipe reports when it is empty
    case ESPIPE: return ERROR_INVALID_FUNCTION;
    case EIO: return direction == IoDirection::Read ? ERROR_READ_FAULT : ERROR_WRITE_FAULT;
    default: return ERROR_GEN_FAILURE;
  }
}

DWORD pathErrorFromErrno(int error, const char *path) {
  if (error != ENOENT) return errorFromErrno(error);
  if (path == nullptr || *path == '\0') return ERROR_PATH_NOT_FOUND;
  return isFolder(win32::folderOf(path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

}  // namespace win32

extern "C" DWORD WINAPI GetLastError(void) { return lastError; }

extern "C" void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
