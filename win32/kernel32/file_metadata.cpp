// kernel32: what a replacement must carry over from the file it replaces besides its bytes.
#include <errno.h>
#include <sys/xattr.h>

#include <string>
#include <vector>

#include "kernel32/file_replace.h"

namespace win32 {
namespace {

using posix::calls;

// The names of the file's extended attributes, NUL-separated; false when they cannot be read. A file
// system without extended attributes has none to lose.
bool attributeNames(int fd, std::vector<char> &names) {
  for (;;) {
    ssize_t size = calls().flistxattr(fd, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    names.resize(size_t(size));
    if (size == 0) return true;
    ssize_t got = calls().flistxattr(fd, names.data(), names.size());
    if (got >= 0) return names.resize(size_t(got)), true;
    if (errno != ERANGE) return false;  // the list grew meanwhile: ask again
  }
}

bool copyAttribute(int from, int to, const char *name) {
  std::vector<char> value;
  for (;;) {
    ssize_t size = calls().fgetxattr(from, name, nullptr, 0);
    if (size < 0) return errno == ENODATA;  // removed meanwhile
    value.resize(size_t(size));
    ssize_t got = calls().fgetxattr(from, name, value.data(), value.size());
    if (got >= 0) return calls().fsetxattr(to, name, value.data(), size_t(got), 0) == 0;
    if (errno != ERANGE) return false;
  }
}

// ACLs, security labels, capabilities and the user's own attributes, each exactly as the original has it.
bool copyAttributes(int from, int to) {
  std::vector<char> names;
  if (!attributeNames(from, names)) return false;
  for (size_t at = 0; at < names.size(); at += std::char_traits<char>::length(names.data() + at) + 1)
    if (!copyAttribute(from, to, names.data() + at)) return false;
  return true;
}

}  // namespace

// The owner first: changing it clears the set-user and set-group bits, which the mode then restores.
// A user who may not give the file away (a group member saving another's file) keeps the rename from
// happening rather than take the file over.
bool adoptMetadata(const Replaced &replaced, const Replacement &replacement) {
  int fd = replacement.file.get();
  const struct stat &original = replaced.info;
  bool sameOwner = replacement.info.st_uid == original.st_uid && replacement.info.st_gid == original.st_gid;
  if (!sameOwner && calls().fchown(fd, original.st_uid, original.st_gid) != 0) return false;
  if (calls().fchmod(fd, original.st_mode & 07777) != 0) return false;
  return copyAttributes(replaced.file.get(), fd);
}

}  // namespace win32
