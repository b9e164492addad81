// kernel32: GetTempFileNameA, unique file names made of a prefix and a hexadecimal number.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <string>

#include "kernel32/error.h"
#include "kernel32/file_paths.h"
#include "kernel32/posix.h"

namespace {

using win32::posix::calls;

// Windows takes at most three bytes of the prefix and the low 16 bits of the number, which it writes
// in upper-case hexadecimal without leading zeros (Wine writes lower case; Windows does not).
std::string tempName(const char *folder, const char *prefix, UINT number) {
  char name[16];
  snprintf(name, sizeof name, "%.3s%X.tmp", prefix ? prefix : "", number & 0xFFFF);
  return win32::joinPath(folder, name);
}

// Each call starts where the last one stopped, from a point that differs between processes, so
// that the common case finds a free name at the first try.
UINT nextStart() {
  static std::atomic<UINT> next{static_cast<UINT>(getpid()) * 2654435761u ^ static_cast<UINT>(time(nullptr))};
  return next++;
}

bool isFolder(const char *path) {
  struct stat info;
  return calls().stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// Tries every number from 1 to 0xFFFF once; the first name that can be created new is the result.
UINT createUnique(const char *folder, const char *prefix, LPSTR out) {
  UINT start = nextStart();
  for (UINT step = 0; step < 0xFFFF; ++step) {
    UINT number = (start + step) % 0xFFFF + 1;
    std::string name = tempName(folder, prefix, number);
    int fd = calls().open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) {
      SetLastError(win32::pathErrorFromErrno(errno, name.c_str()));
      return 0;
    }
    calls().close(fd);
    memcpy(out, name.c_str(), name.size() + 1);
    return number;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}

}  // namespace

// The name is "<folder>/<prefix><hex>.tmp" and fits a MAX_PATH buffer. A number of 0 asks for a new
// empty file under a free name; any other number only makes the name, as Windows does.
extern "C" UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName) {
  if (lpPathName == nullptr || lpTempFileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (strlen(lpPathName) > MAX_PATH - 14) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
  }
  if (!isFolder(lpPathName)) {
    SetLastError(ERROR_DIRECTORY);
    return 0;
  }
  if (uUnique == 0) return createUnique(lpPathName, lpPrefixString, lpTempFileName);
  std::string name = tempName(lpPathName, lpPrefixString, uUnique);
  memcpy(lpTempFileName, name.c_str(), name.size() + 1);
  return uUnique & 0xFFFF;
}
