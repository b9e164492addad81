// kernel32: the two ways ReplaceFileA puts new bytes in place — one rename, or an overwrite in place
// with a private copy of the old bytes beside the file until the new ones are on the disk. Either way
// the save counts only when the file's name leads to the new bytes at the end.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "kernel32/error.h"
#include "kernel32/file_paths.h"
#include "kernel32/file_replace.h"
#include "kernel32/nameless_files.h"

namespace win32 {
namespace {

using posix::calls;

// Names for the program's own files beside a document, recognisable by a person who finds them.
std::string ownName(const char *kind, int attempt) {
  char name[64];
  snprintf(name, sizeof name, ".oxbyte-%s-%d-%d", kind, int(getpid()), attempt);
  return name;
}

// "doc.bin.oxbyte-old", beside doc.bin (a name too long for that gets one of the program's own).
std::string nameForOldBytes(const std::string &leaf, int attempt) {
  std::string name = leaf + ".oxbyte-old";
  if (attempt) name += '-' + std::to_string(attempt);
  return name.size() <= NAME_MAX ? name : ownName("old", attempt);
}

// Gives a complete file the first free name `nameFor` offers; false when none is free or naming fails.
template <typename NameFor>
bool nameComplete(int fd, int folder, NameFor nameFor, std::string &name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = nameFor(attempt);
    if (giveName(fd, folder, name)) return true;
    if (errno != EEXIST) return false;
  }
  return false;
}

// A nameless replacement gets a name of its own in the folder first (Linux renames names, not files);
// one with a name already is renamed from it.
bool nameForRename(const Replaced &replaced, const Replacement &replacement, int &fromFolder, std::string &from) {
  if (!replacement.leaf.empty()) {
    fromFolder = replacement.folder, from = replacement.leaf;
    return true;
  }
  fromFolder = replaced.folder.get();
  return nameComplete(replacement.file.get(), fromFolder, [](int attempt) { return ownName("new", attempt); }, from);
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

// The copy of the old bytes is written and flushed before it gets its name, so that whoever finds
// "doc.bin.oxbyte-old" after a crash finds all of them.
DWORD makeCopyOfOldBytes(const Replaced &replaced, Descriptor &copy, std::string &name, struct stat &info) {
  int folder = replaced.folder.get();
  bool named = false;
  std::string provisional = ownName("old-unfinished", 0);
  copy = openNameless(folder, provisional, named);
  if (!copy || calls().fstat(copy.get(), &info) != 0) return ERROR_UNABLE_TO_REMOVE_REPLACED;
  DWORD error = overwrite(replaced.file.get(), copy.get(), replaced.info.st_size);
  auto forOldBytes = [&](int attempt) { return nameForOldBytes(replaced.leaf, attempt); };
  if (error == ERROR_SUCCESS && !nameComplete(copy.get(), folder, forOldBytes, name)) error = ERROR_UNABLE_TO_REMOVE_REPLACED;
  if (named) removeNameOf(folder, provisional, info);
  if (error != ERROR_SUCCESS) return ERROR_UNABLE_TO_REMOVE_REPLACED;
  syncFolderOf(folder);
  return ERROR_SUCCESS;
}

}  // namespace

bool syncFolderOf(int folder) {
  Descriptor readable(calls().openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
  return readable && syncDescriptor(readable.get()) == ERROR_SUCCESS;
}

// The name is replaced only while it still leads to the file looked up, and by the file written (a name
// swapped for something else meanwhile is not renamed over the document); a failure to flush the folder
// afterwards does not undo a save whose bytes are in the file under its name.
DWORD renameIntoPlace(const Replaced &replaced, const Replacement &replacement) {
  DWORD error = syncDescriptor(replacement.file.get());
  if (error != ERROR_SUCCESS) return error;
  int fromFolder = -1;
  std::string from;
  if (!nameForRename(replaced, replacement, fromFolder, from)) return ERROR_RENAME_REFUSED;
  bool linked = replacement.leaf.empty();
  int folder = replaced.folder.get();
  if (!stillLeadsTo(folder, replaced.leaf, replaced.info) || !stillLeadsTo(fromFolder, from, replacement.info)) {
    if (linked) removeNameOf(fromFolder, from, replacement.info);
    return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  }
  if (calls().renameat(fromFolder, from.c_str(), folder, replaced.leaf.c_str()) != 0) {
    int refused = errno;
    if (linked) removeNameOf(fromFolder, from, replacement.info);
    return refusesRename(refused) ? ERROR_RENAME_REFUSED : errorFromErrno(refused, IoDirection::Write);
  }
  if (!stillLeadsTo(folder, replaced.leaf, replacement.info)) return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  syncFolderOf(folder);
  return ERROR_SUCCESS;
}

// A write that fails part-way, or a name that stopped leading to the file meanwhile, puts the old bytes
// back from the copy; a crash part-way leaves the copy.
DWORD writeInPlace(const Replaced &replaced, const Replacement &replacement) {
  Descriptor copy;
  std::string copyName;
  struct stat copyInfo;
  DWORD error = makeCopyOfOldBytes(replaced, copy, copyName, copyInfo);
  if (error != ERROR_SUCCESS) return error;
  int folder = replaced.folder.get();
  if (!stillLeadsTo(folder, replaced.leaf, replaced.info)) {
    removeNameOf(folder, copyName, copyInfo);
    return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  }
  error = overwrite(replacement.file.get(), replaced.file.get(), replacement.info.st_size);
  if (error == ERROR_SUCCESS && !stillLeadsTo(folder, replaced.leaf, replaced.info)) error = ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  if (error != ERROR_SUCCESS && overwrite(copy.get(), replaced.file.get(), replaced.info.st_size) != ERROR_SUCCESS)
    return error;  // the copy stays: the only whole old bytes there are
  removeNameOf(folder, copyName, copyInfo);
  if (error == ERROR_SUCCESS && !replacement.leaf.empty())
    removeNameOf(replacement.folder, replacement.leaf, replacement.info);
  return error;
}

}  // namespace win32
