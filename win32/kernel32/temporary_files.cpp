// kernel32: the files the program makes as temporary.
#include "kernel32/temporary_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <map>

#include "kernel32/error.h"
#include "kernel32/file_paths.h"
#include "kernel32/nameless_files.h"

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
  int fd = openNameless(made.folder.get(), made.leaf, made.named).release();
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
  struct stat made;
  if (found->second.named && calls().fstat(fd, &made) == 0) removeNameOf(found->second.folder.get(), found->second.leaf, made);
  beingWritten().erase(found);
}

Temporary *findTemporary(const std::string &path) {
  auto found = kept().find(path);
  return found == kept().end() ? nullptr : &found->second;
}

bool releaseTemporary(const std::string &path) {
  auto found = kept().find(path);
  if (found == kept().end()) return false;
  Temporary &file = found->second;
  struct stat made;
  if (file.named && calls().fstat(file.file.get(), &made) == 0) removeNameOf(file.folder.get(), file.leaf, made);
  kept().erase(found);
  return true;
}

void forgetTemporary(const std::string &path) { kept().erase(path); }

}  // namespace win32
