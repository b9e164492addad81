// kernel32: the files the program makes as temporary.
#include "kernel32/temporary_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <map>

#include "kernel32/error.h"
#include "kernel32/file_paths.h"

namespace win32 {
namespace {

using posix::calls;

std::map<int, Temporary> &beingWritten() {
  static std::map<int, Temporary> files;  // by descriptor, while a handle holds them
  return files;
}

std::map<std::string, Temporary> &kept() {
  static std::map<std::string, Temporary> files;  // by the path they were made with
  return files;
}

bool sameFile(const struct stat &a, const struct stat &b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A file system without nameless files answers O_TMPFILE with EOPNOTSUPP (or, on older kernels, EISDIR).
bool cannotMakeNameless(int error) { return error == EOPNOTSUPP || error == EISDIR || error == EINVAL; }

}  // namespace

int createTemporary(const std::string &path, DWORD &error) {
  Temporary made;
  made.leaf = leafOf(path);
  made.folder = Descriptor(calls().open(folderOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0));
  struct stat entry;
  if (!made.folder) {
    error = pathErrorFromErrno(errno, path.c_str());
    return -1;
  }
  // CREATE_NEW refuses a name that is taken, also by a nameless file the program keeps under it.
  if (kept().count(path) || calls().fstatat(made.folder.get(), made.leaf.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0) {
    error = ERROR_FILE_EXISTS;
    return -1;
  }
  int fd = calls().openat(made.folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0 && cannotMakeNameless(errno)) {
    fd = calls().openat(made.folder.get(), made.leaf.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_RDWR | O_CLOEXEC, 0600);
    made.named = true;
  }
  if (fd < 0) {
    error = pathErrorFromErrno(errno, path.c_str());
    return -1;
  }
  beingWritten()[fd] = std::move(made);
  return fd;
}

void keepTemporary(const std::string &path, int fd) {
  auto found = beingWritten().find(fd);
  if (found == beingWritten().end()) return;
  Temporary file = std::move(found->second);
  beingWritten().erase(found);
  file.file = Descriptor(fd);
  kept()[path] = std::move(file);
}

void abandonTemporary(int fd) {
  auto found = beingWritten().find(fd);
  if (found == beingWritten().end()) return;
  if (found->second.named) calls().unlinkat(found->second.folder.get(), found->second.leaf.c_str(), 0);
  beingWritten().erase(found);
}

Temporary *findTemporary(const std::string &path) {
  auto found = kept().find(path);
  return found == kept().end() ? nullptr : &found->second;
}

// A name is removed only while it still leads to the file made: whatever another program put there
// stays.
bool releaseTemporary(const std::string &path) {
  auto found = kept().find(path);
  if (found == kept().end()) return false;
  Temporary &file = found->second;
  struct stat mine, entry;
  if (file.named && calls().fstat(file.file.get(), &mine) == 0 &&
      calls().fstatat(file.folder.get(), file.leaf.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(mine, entry))
    calls().unlinkat(file.folder.get(), file.leaf.c_str(), 0);
  kept().erase(found);
  return true;
}

void forgetTemporary(const std::string &path) { kept().erase(path); }

}  // namespace win32
