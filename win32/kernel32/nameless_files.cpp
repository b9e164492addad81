// kernel32: new files without a name, which get one only when complete.
#include "kernel32/nameless_files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>

namespace win32 {

using posix::calls;

Descriptor openNameless(int folder, const std::string &fallbackName, bool &named) {
  named = false;
  Descriptor file(calls().openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
  // A file system without nameless files says EOPNOTSUPP (older kernels EISDIR or EINVAL).
  if (!file && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    named = true;
    file = Descriptor(
        calls().openat(folder, fallbackName.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_RDWR | O_CLOEXEC, 0600));
  }
  return file;
}

// Linux links a descriptor to a name through /proc, which needs no privilege (linkat with AT_EMPTY_PATH
// would).
bool giveName(int fd, int folder, const std::string &name) {
  char self[64];
  snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
  return calls().linkat(AT_FDCWD, self, folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool stillLeadsTo(int folder, const std::string &name, const struct stat &file) {
  struct stat entry;
  return calls().fstatat(folder, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && entry.st_dev == file.st_dev &&
         entry.st_ino == file.st_ino;
}

void removeNameOf(int folder, const std::string &name, const struct stat &file) {
  if (stillLeadsTo(folder, name, file)) calls().unlinkat(folder, name.c_str(), 0);
}

}  // namespace win32
