// The kernel32 file tests' platform on real Windows (and Wine): named pipes, the NUL device and file sizes
// through the Win32 API itself.
#include <string>

#include "support/platform_files.h"
#include "support/wine.h"

namespace platform {

// Each pipe gets a name of its own; the server ends stay open until the process ends, so that a client
// can always connect.
std::string makePipe(const std::string &) {
  static int made = 0;
  std::string name = "\\\\.\\pipe\\oxbyte-files-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
  HANDLE server = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, PIPE_UNLIMITED_INSTANCES, 4096,
                                   4096, 0, nullptr);
  return server == INVALID_HANDLE_VALUE ? std::string() : name;
}

std::string characterDevice() { return "\\\\.\\NUL"; }

// NTFS extends a file without writing the new part; Wine's files on Linux get a hole.
bool resizeFile(const std::string &path, std::uint64_t size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LONG high = static_cast<LONG>(size >> 32);
  SetLastError(NO_ERROR);  // a low part of 0xFFFFFFFF is also INVALID_SET_FILE_POINTER
  bool done = (SetFilePointer(file, static_cast<LONG>(size), &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER ||
               GetLastError() == NO_ERROR) &&
              SetEndOfFile(file);
  CloseHandle(file);
  return done;
}

// Wine names its Unix user in the environment of every process it starts.
bool wineRunsAsRoot() {
  char user[64];
  DWORD length = GetEnvironmentVariableA("WINEUSERNAME", user, sizeof user);
  return runningUnderWine() && length > 0 && length < sizeof user && std::string(user) == "root";
}

}  // namespace platform
