// kernel32: the two ways ReplaceFileA puts new bytes in place — one rename, or an overwrite in place
// with a private copy of the old bytes beside the file until the new ones are on the disk.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "kernel32/error.h"
#include "kernel32/file_replace.h"

namespace win32 {
namespace {

using posix::calls;

DWORD syncDescriptor(int fd) {
  int result;
  do result = calls().fsync(fd);
  while (result != 0 && errno == EINTR);
  // Some file systems cannot flush a folder and say EINVAL; their entries are as durable as they get.
  return result == 0 || errno == EINVAL ? ERROR_SUCCESS : errorFromErrno(errno, IoDirection::Write);
}

}  // namespace

bool syncFolderOf(int folder) {
  Descriptor readable(calls().openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
  return readable && syncDescriptor(readable.get()) == ERROR_SUCCESS;
}

namespace {

bool stillLeadsTo(int folder, const std::string &leaf, const struct stat &file) {
  struct stat entry;
  return calls().fstatat(folder, leaf.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(entry, file);
}

// Names for the program's own files beside a document, recognisable by a person who finds them.
std::string ownName(const char *kind, int attempt) {
  char name[64];
  snprintf(name, sizeof name, ".oxbyte-%s-%d-%d", kind, int(getpid()), attempt);
  return name;
}

// A nameless replacement gets a name of its own in the folder first (Linux links a file to a name only
// where there is none); one with a name already is renamed from it.
DWORD nameForRename(const Replaced &replaced, const Replacement &replacement, int &fromFolder, std::string &from) {
  if (!replacement.leaf.empty()) {
    fromFolder = replacement.folder, from = replacement.leaf;
    return ERROR_SUCCESS;
  }
  char self[64];
  snprintf(self, sizeof self, "/proc/self/fd/%d", replacement.file.get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    from = ownName("new", attempt);
    if (calls().linkat(AT_FDCWD, self, replaced.folder.get(), from.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      fromFolder = replaced.folder.get();
      return ERROR_SUCCESS;
    }
    if (errno != EEXIST) return ERROR_RENAME_REFUSED;
  }
  return ERROR_RENAME_REFUSED;
}

bool refusesRename(int error) { return error == EBUSY || error == EPERM || error == EXDEV || error == EACCES; }

bool copyBytes(int from, int to) {
  if (calls().lseek(from, 0, SEEK_SET) != 0 || calls().lseek(to, 0, SEEK_SET) != 0) return false;
  char buffer[65536];
  for (;;) {
    ssize_t got = calls().read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    for (ssize_t done = 0; done < got;) {
      ssize_t wrote = calls().write(to, buffer + done, size_t(got - done));
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return false;
      done += wrote;
    }
  }
}

// The whole of `from` becomes the whole of `to`, on the disk.
DWORD overwrite(int from, int to, off_t size) {
  if (!copyBytes(from, to) || calls().ftruncate(to, size) != 0) return errorFromErrno(errno, IoDirection::Write);
  return syncDescriptor(to);
}

// "doc.bin.oxbyte-old", beside doc.bin (a name too long for that gets one of the program's own).
std::string nameForOldBytes(const std::string &leaf, int attempt) {
  std::string name = leaf + ".oxbyte-old" + (attempt ? "-" + std::to_string(attempt) : "");
  return name.size() <= NAME_MAX ? name : ownName("old", attempt);
}

// The copy of the old bytes: private, durable before the file changes, and named so that whoever looks
// into the folder after a crash knows what it holds.
DWORD makeCopyOfOldBytes(const Replaced &replaced, Descriptor &copy, std::string &name) {
  for (int attempt = 0; attempt < 100 && !copy; ++attempt) {
    name = nameForOldBytes(replaced.leaf, attempt);
    copy = Descriptor(calls().openat(replaced.folder.get(), name.c_str(),
                                     O_CREAT | O_EXCL | O_NOFOLLOW | O_RDWR | O_CLOEXEC, 0600));
    if (!copy && errno != EEXIST) return ERROR_UNABLE_TO_REMOVE_REPLACED;
  }
  if (!copy) return ERROR_UNABLE_TO_REMOVE_REPLACED;
  // The copy's bytes are on the disk before the file changes; its name too, where the folder can be flushed.
  DWORD error = overwrite(replaced.file.get(), copy.get(), replaced.info.st_size);
  if (error == ERROR_SUCCESS) syncFolderOf(replaced.folder.get());
  if (error != ERROR_SUCCESS) {
    calls().unlinkat(replaced.folder.get(), name.c_str(), 0);
    return ERROR_UNABLE_TO_REMOVE_REPLACED;
  }
  return ERROR_SUCCESS;
}

}  // namespace

// The name is replaced only while it still leads to the file looked up; a failure to flush the folder
// afterwards does not undo a save whose bytes are in the file under its name.
DWORD renameIntoPlace(const Replaced &replaced, const Replacement &replacement) {
  DWORD error = syncDescriptor(replacement.file.get());
  if (error != ERROR_SUCCESS) return error;
  int fromFolder = -1;
  std::string from;
  error = nameForRename(replaced, replacement, fromFolder, from);
  if (error != ERROR_SUCCESS) return error;
  bool linked = replacement.leaf.empty();
  if (!stillLeadsTo(replaced.folder.get(), replaced.leaf, replaced.info)) {
    if (linked) calls().unlinkat(fromFolder, from.c_str(), 0);
    return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  }
  if (calls().renameat(fromFolder, from.c_str(), replaced.folder.get(), replaced.leaf.c_str()) != 0) {
    int refused = errno;
    if (linked) calls().unlinkat(fromFolder, from.c_str(), 0);
    return refusesRename(refused) ? ERROR_RENAME_REFUSED : errorFromErrno(refused, IoDirection::Write);
  }
  if (!stillLeadsTo(replaced.folder.get(), replaced.leaf, replacement.info)) return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  syncFolderOf(replaced.folder.get());
  return ERROR_SUCCESS;
}

// A write that fails part-way puts the old bytes back from the copy; a crash part-way leaves the copy.
DWORD writeInPlace(const Replaced &replaced, const Replacement &replacement) {
  Descriptor copy;
  std::string copyName;
  DWORD error = makeCopyOfOldBytes(replaced, copy, copyName);
  if (error != ERROR_SUCCESS) return error;
  error = overwrite(replacement.file.get(), replaced.file.get(), replacement.info.st_size);
  if (error != ERROR_SUCCESS && overwrite(copy.get(), replaced.file.get(), replaced.info.st_size) != ERROR_SUCCESS)
    return error;  // the copy stays: the only whole old bytes there are
  calls().unlinkat(replaced.folder.get(), copyName.c_str(), 0);
  if (error == ERROR_SUCCESS && !replacement.leaf.empty() &&
      stillLeadsTo(replacement.folder, replacement.leaf, replacement.info))
    calls().unlinkat(replacement.folder, replacement.leaf.c_str(), 0);
  return error;
}

}  // namespace win32
