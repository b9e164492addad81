// kernel32: the POSIX calls under the file layer, reached through one replaceable table.
#include "kernel32/posix.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace win32::posix {
namespace {

// Wrappers give the variadic and overloaded calls one fixed signature each.
const Calls kSystem = {
    [](const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); },
    ::close,
    ::read,
    ::write,
    ::lseek,
    ::ftruncate,
    ::fsync,
    [](int fd, int command, int argument) { return ::fcntl(fd, command, argument); },
    [](int fd, struct stat *info) { return ::fstat(fd, info); },
    [](const char *path, struct stat *info) { return ::stat(path, info); },
    [](const char *path, struct stat *info) { return ::lstat(path, info); },
    [](const char *path, int mode) { return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS); },
    ::fchmod,
    ::fchown,
    ::rename,
    ::unlink,
    [](const char *path, char *resolved) { return ::realpath(path, resolved); },
    ::getcwd,
    ::chdir,
    [](int folder, const char *name, int flags, mode_t mode) { return ::openat(folder, name, flags, mode); },
    ::fstatat,
    ::renameat,
    ::linkat,
    ::unlinkat,
    ::flistxattr,
    ::fgetxattr,
    ::fsetxattr,
};

Calls current = kSystem;

}  // namespace

const Calls &calls() { return current; }

const Calls &systemCalls() { return kSystem; }

Calls replaceCalls(const Calls &next) {
  Calls previous = current;
  current = next;
  return previous;
}

}  // namespace win32::posix
