// kernel32: folders of paths, joining names, and making a folder's entries durable.
#include "kernel32/file_paths.h"

#include <errno.h>
#include <fcntl.h>

#include "kernel32/error.h"
#include "kernel32/posix.h"

namespace win32 {

std::string folderOf(const std::string &path) {
  size_t end = path.find_last_not_of('/');
  if (end == std::string::npos) return "/";
  size_t slash = path.rfind('/', end);
  if (slash == std::string::npos) return ".";
  size_t folderEnd = path.find_last_not_of('/', slash);
  return folderEnd == std::string::npos ? "/" : path.substr(0, folderEnd + 1);
}

std::string leafOf(const std::string &path) {
  size_t end = path.find_last_not_of('/');
  if (end == std::string::npos) return "/";
  size_t slash = path.rfind('/', end);
  return path.substr(slash == std::string::npos ? 0 : slash + 1, end - (slash == std::string::npos ? 0 : slash + 1) + 1);
}

std::string joinPath(const std::string &folder, const std::string &name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

DWORD syncFolder(const std::string &folder) {
  const auto &posix = posix::calls();
  int fd = posix.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return pathErrorFromErrno(errno, folder.c_str());
  int result;
  do result = posix.fsync(fd);
  while (result != 0 && errno == EINTR);
  int error = result == 0 ? 0 : errno;
  posix.close(fd);
  // Some file systems cannot flush a folder and say EINVAL; their entries are as durable as they get.
  if (error == 0 || error == EINVAL) return ERROR_SUCCESS;
  return errorFromErrno(error, IoDirection::Write);
}

}  // namespace win32
