// kernel32: deleting and renaming files by name, with Windows' refusals.
#include <errno.h>
#include <sys/stat.h>

#include <string>

#include "kernel32/error.h"
#include "kernel32/file_attributes.h"
#include "kernel32/file_paths.h"
#include "kernel32/file_table.h"
#include "kernel32/posix.h"
#include "kernel32/temporary_files.h"

namespace {

using win32::posix::calls;

// Why Windows would refuse to remove the entry `path` (to delete it or to rename over it); a symbolic
// link is removed itself, never what it points to.
DWORD removalRefusal(const char *path, const struct stat &entry, DWORD whenOpen) {
  if (S_ISDIR(entry.st_mode)) return ERROR_ACCESS_DENIED;
  if (!S_ISLNK(entry.st_mode) && win32::isReadOnlyFile(entry, path)) return ERROR_ACCESS_DENIED;
  if (win32::openWithoutDeleteSharing(entry.st_dev, entry.st_ino)) return whenOpen;
  return ERROR_SUCCESS;
}

DWORD moveFile(const char *from, const char *to, DWORD flags) {
  struct stat source;
  if (calls().lstat(from, &source) != 0) return win32::pathErrorFromErrno(errno, from);
  if (win32::openWithoutDeleteSharing(source.st_dev, source.st_ino)) return ERROR_SHARING_VIOLATION;
  struct stat target;
  if (calls().lstat(to, &target) == 0) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return ERROR_ALREADY_EXISTS;
    // Windows says "access denied" for a destination that is open without delete sharing.
    DWORD refusal = removalRefusal(to, target, ERROR_ACCESS_DENIED);
    if (refusal != ERROR_SUCCESS) return refusal;
  }
  if (calls().rename(from, to) != 0) return win32::pathErrorFromErrno(errno, to);
  if (!(flags & MOVEFILE_WRITE_THROUGH)) return ERROR_SUCCESS;
  std::string fromFolder = win32::folderOf(from), toFolder = win32::folderOf(to);
  DWORD error = win32::syncFolder(toFolder);
  if (error == ERROR_SUCCESS && fromFolder != toFolder) error = win32::syncFolder(fromFolder);
  return error;
}

}  // namespace

extern "C" BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  if (lpFileName && win32::releaseTemporary(lpFileName)) return TRUE;
  struct stat entry;
  if (lpFileName == nullptr || calls().lstat(lpFileName, &entry) != 0) {
    SetLastError(win32::pathErrorFromErrno(lpFileName ? errno : ENOENT, lpFileName));
    return FALSE;
  }
  DWORD error = removalRefusal(lpFileName, entry, ERROR_SHARING_VIOLATION);
  if (error == ERROR_SUCCESS && calls().unlink(lpFileName) != 0) error = win32::pathErrorFromErrno(errno, lpFileName);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

// Files move within one file system only (MOVEFILE_COPY_ALLOWED is not offered). With
// MOVEFILE_WRITE_THROUGH the folders are flushed before the call returns; if that fails, the move has
// happened but the call reports the error.
extern "C" BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  DWORD error = ERROR_INVALID_PARAMETER;
  if (lpExistingFileName && lpNewFileName && !(dwFlags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)))
    error = moveFile(lpExistingFileName, lpNewFileName, dwFlags);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
