// kernel32: Windows file attributes from POSIX file modes.
#include "kernel32/file_attributes.h"

#include <errno.h>
#include <unistd.h>

#include "kernel32/error.h"
#include "kernel32/posix.h"

namespace win32 {

bool isReadOnlyFile(const struct stat &info, const char *path) {
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  if (posix::calls().access(path, W_OK) == 0) return false;
  return errno == EACCES || errno == EPERM || errno == EROFS;
}

DWORD attributesOf(const struct stat &info, const char *path) {
  if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return FILE_ATTRIBUTE_ARCHIVE | (isReadOnlyFile(info, path) ? FILE_ATTRIBUTE_READONLY : 0);
}

}  // namespace win32

extern "C" DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  struct stat info;
  if (lpFileName == nullptr || win32::posix::calls().stat(lpFileName, &info) != 0) {
    SetLastError(win32::pathErrorFromErrno(lpFileName ? errno : ENOENT, lpFileName));
    return INVALID_FILE_ATTRIBUTES;
  }
  return win32::attributesOf(info, lpFileName);
}
