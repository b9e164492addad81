// kernel32: the process's current directory.
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "kernel32/error.h"
#include "kernel32/posix.h"

namespace {

using win32::posix::calls;

// The current directory, or an empty string with errno set.
std::string currentDirectory() {
  std::vector<char> buffer(256);
  while (calls().getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

}  // namespace

// When the buffer holds the directory and its NUL, the result is the length without the NUL;
// otherwise it is the size needed with the NUL, and the buffer is left as it was.
extern "C" DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  std::string directory = currentDirectory();
  if (directory.empty()) {
    SetLastError(win32::errorFromErrno(errno));
    return 0;
  }
  DWORD length = static_cast<DWORD>(directory.size());
  if (lpBuffer == nullptr || nBufferLength <= length) return length + 1;
  memcpy(lpBuffer, directory.c_str(), length + 1);
  return length;
}

// A file that is not a folder gives ERROR_DIRECTORY; a missing one ERROR_FILE_NOT_FOUND or, when a
// folder on the way is missing, ERROR_PATH_NOT_FOUND.
extern "C" BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
  if (lpPathName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct stat info;
  if (calls().stat(lpPathName, &info) == 0 && !S_ISDIR(info.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  if (calls().chdir(lpPathName) != 0) {
    SetLastError(win32::pathErrorFromErrno(errno, lpPathName));
    return FALSE;
  }
  return TRUE;
}
