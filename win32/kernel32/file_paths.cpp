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
  size_t start = path.rfind('/', end) + 1;  // 0 where there is no '/': npos + 1 wraps to 0
  return path.substr(start, end + 1 - start);
}

std::string joinPath(const std::string &folder, const std::string &name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

DWORD syncDescriptor(int fd) {
  int result;
  do result = posix::calls().fsync(fd);
  while (result != 0 && errno == EINTR);
  return result == 0 || errno == EINVAL ? ERROR_SUCCESS : errorFromErrno(errno, IoDirection::Write);
}

DWORD syncFolder(const std::string &folder) {
  int fd = posix::calls().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return pathErrorFromErrno(errno, folder.c_str());
  DWORD error = syncDescriptor(fd);
  posix::calls().close(fd);
  return error;
}

}  // namespace win32
