// kernel32: the POSIX calls under the file layer, reached through one replaceable table.
#ifndef OXBYTE_WIN32_KERNEL32_POSIX_H
#define OXBYTE_WIN32_KERNEL32_POSIX_H

#include <sys/stat.h>
#include <sys/types.h>

namespace win32::posix {

// Every system call the file functions make goes through this table, so that tests can make any of
// them fail (EIO, ENOSPC, EINTR, short transfers) where a real disk seldom does.
struct Calls {
  int (*open)(const char *path, int flags, mode_t mode);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void *buffer, size_t count);
  ssize_t (*write)(int fd, const void *buffer, size_t count);
  off_t (*lseek)(int fd, off_t offset, int whence);
  int (*ftruncate)(int fd, off_t length);
  int (*fsync)(int fd);
  int (*fcntl)(int fd, int command, int argument);
  int (*fstat)(int fd, struct stat *info);
  int (*stat)(const char *path, struct stat *info);
  int (*lstat)(const char *path, struct stat *info);
  int (*access)(const char *path, int mode);  // checks with the effective ids, as open() does
  int (*fchmod)(int fd, mode_t mode);
  int (*fchown)(int fd, uid_t owner, gid_t group);
  int (*rename)(const char *from, const char *to);
  int (*unlink)(const char *path);
  char *(*realpath)(const char *path, char *resolved);  // resolved is null: the result is malloc'ed
  char *(*getcwd)(char *buffer, size_t size);
  int (*chdir)(const char *path);
  // Within a folder held open, so that a name is looked up where the folder is, not where its path leads.
  int (*openat)(int folder, const char *name, int flags, mode_t mode);
  int (*fstatat)(int folder, const char *name, struct stat *info, int flags);
  int (*renameat)(int fromFolder, const char *from, int toFolder, const char *to);
  int (*linkat)(int fromFolder, const char *from, int toFolder, const char *to, int flags);
  int (*unlinkat)(int folder, const char *name, int flags);
  // Extended attributes: ACLs, security labels and the user's own.
  ssize_t (*flistxattr)(int fd, char *names, size_t size);
  ssize_t (*fgetxattr)(int fd, const char *name, void *value, size_t size);
  int (*fsetxattr)(int fd, const char *name, const void *value, size_t size, int flags);
};

// The table in use.
const Calls &calls();

// The real system calls.
const Calls &systemCalls();

// Test hook: puts `next` in use and returns the table it replaces.
Calls replaceCalls(const Calls &next);

}  // namespace win32::posix

#endif
