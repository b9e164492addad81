// kernel32: ReplaceFileA, which puts a freshly written file in place of an existing one at once.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "kernel32/error.h"
#include "kernel32/file_attributes.h"
#include "kernel32/file_paths.h"
#include "kernel32/file_table.h"
#include "kernel32/posix.h"

namespace {

using win32::posix::calls;

// A symbolic link is replaced where it points, so the link itself survives.
DWORD resolveReplaced(const char *replaced, std::string &target) {
  struct stat entry;
  if (calls().lstat(replaced, &entry) != 0) return win32::pathErrorFromErrno(errno, replaced);
  if (!S_ISLNK(entry.st_mode)) {
    target = replaced;
    return ERROR_SUCCESS;
  }
  char *resolved = calls().realpath(replaced, nullptr);
  if (resolved == nullptr) return win32::pathErrorFromErrno(errno, replaced);
  target = resolved;
  free(resolved);
  return ERROR_SUCCESS;
}

DWORD checkReplaced(const std::string &target, struct stat &info) {
  if (calls().stat(target.c_str(), &info) != 0) return win32::pathErrorFromErrno(errno, target.c_str());
  if (!S_ISREG(info.st_mode) || win32::isReadOnlyFile(info, target.c_str())) return ERROR_ACCESS_DENIED;
  if (win32::openWithoutDeleteSharing(info.st_dev, info.st_ino)) return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

// The replacement takes the original's owner where we may give it (the group alone, failing that)
// and then its permission bits, which chown may have cleared.
DWORD adoptOwnerAndMode(int fd, const struct stat &original) {
  if (calls().fchown(fd, original.st_uid, original.st_gid) != 0)
    calls().fchown(fd, static_cast<uid_t>(-1), original.st_gid);
  if (calls().fchmod(fd, original.st_mode & 07777) != 0) return win32::errorFromErrno(errno);
  return ERROR_SUCCESS;
}

DWORD syncDescriptor(int fd) {
  int result;
  do result = calls().fsync(fd);
  while (result != 0 && errno == EINTR);
  return result == 0 ? ERROR_SUCCESS : win32::errorFromErrno(errno, win32::IoDirection::Write);
}

// Gives the replacement the original's owner and mode and makes its contents durable.
DWORD prepareReplacement(const char *replacement, const struct stat &original) {
  int fd = calls().open(replacement, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
  if (fd < 0) return win32::pathErrorFromErrno(errno, replacement);
  struct stat info;
  DWORD error = calls().fstat(fd, &info) == 0 ? ERROR_SUCCESS : win32::errorFromErrno(errno);
  if (error == ERROR_SUCCESS && !S_ISREG(info.st_mode)) error = ERROR_ACCESS_DENIED;
  if (error == ERROR_SUCCESS && win32::openWithoutDeleteSharing(info.st_dev, info.st_ino))
    error = ERROR_SHARING_VIOLATION;
  if (error == ERROR_SUCCESS) error = adoptOwnerAndMode(fd, original);
  if (error == ERROR_SUCCESS) error = syncDescriptor(fd);
  if (calls().close(fd) != 0 && errno != EINTR && error == ERROR_SUCCESS)
    error = win32::errorFromErrno(errno, win32::IoDirection::Write);
  return error;
}

// Until the rename the original is untouched; the rename swaps the names in one step, and flushing
// the folder makes the swap survive a crash.
DWORD replaceFile(const char *replaced, const char *replacement) {
  std::string target;
  DWORD error = resolveReplaced(replaced, target);
  struct stat original;
  if (error == ERROR_SUCCESS) error = checkReplaced(target, original);
  if (error == ERROR_SUCCESS) error = prepareReplacement(replacement, original);
  if (error != ERROR_SUCCESS) return error;
  if (calls().rename(replacement, target.c_str()) != 0)
    return errno == EXDEV ? ERROR_UNABLE_TO_MOVE_REPLACEMENT : ERROR_UNABLE_TO_REMOVE_REPLACED;
  return win32::syncFolder(win32::folderOf(target));
}

}  // namespace

// Backup files, merge exclusions and the reserved pointer are not offered; every replacement is
// written through, so REPLACEFILE_WRITE_THROUGH changes nothing.
extern "C" BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName,
                                    DWORD dwReplaceFlags, LPVOID lpExclude, LPVOID lpReserved) {
  DWORD error = ERROR_INVALID_PARAMETER;
  bool supported = lpBackupFileName == nullptr && lpExclude == nullptr && lpReserved == nullptr &&
                   !(dwReplaceFlags & ~(REPLACEFILE_WRITE_THROUGH | REPLACEFILE_IGNORE_MERGE_ERRORS));
  if (lpReplacedFileName && lpReplacementFileName && supported)
    error = replaceFile(lpReplacedFileName, lpReplacementFileName);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
