// Program tests' one seam into the stand-in's file layer: a POSIX call table that counts and fails calls.
#include "tests/app/posix_faults.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "kernel32/posix.h"

namespace posix_faults {

namespace posix = win32::posix;

namespace {

Injector *active = nullptr;
posix::Calls previous;

const posix::Calls &real() { return posix::systemCalls(); }

}  // namespace

std::string Fault::label() const {
  const char *kinds[] = {"none", "error", "short", "disk full", "torn"};
  return call + " #" + std::to_string(occurrence) + " " + kinds[int(kind)] +
         (kind == Kind::Error ? std::string(" ") + strerrorname_np(error) : "");
}

// The table's entries are plain functions, so they reach the Injector through `active`.
struct Table {
  // Counts the call; true, with errno set, when this call is the one to fail outright.
  static bool fails(const char *call) {
    int n = ++active->counts_[call];
    if (active->beforeCall) active->beforeCall(call, n);
    auto always = active->alwaysFails.find(call);
    if (always != active->alwaysFails.end()) {
      errno = always->second;
      return true;
    }
    const Fault &f = active->fault_;
    bool tornAfter = f.kind == Kind::Torn && f.call == call && n == f.occurrence + 1;
    if (tornAfter) {
      errno = EIO;
      return true;
    }
    if (f.kind != Kind::Error || f.call != call || n != f.occurrence) return false;
    active->struck_ = true;
    errno = f.error;
    return true;
  }

  // Short and disk-full transfers: how many of `count` bytes this call may move (`count` when unlimited).
  static size_t room(const char *call, int fd, size_t count) {
    const Fault &f = active->fault_;
    bool now = f.call == call && active->counts_[call] == f.occurrence;
    if (now && (f.kind == Kind::Short || f.kind == Kind::Torn)) {
      active->struck_ = true;
      return count > 1 ? count / 2 : count;
    }
    if (now && f.kind == Kind::DiskFull) active->diskFull_ = active->struck_ = true;
    if (!active->diskFull_ || std::string(call) != "write") return count;
    struct stat info;
    off_t at = real().lseek(fd, 0, SEEK_CUR);
    if (at < 0 || real().fstat(fd, &info) != 0 || at >= info.st_size) return 0;
    return std::min<size_t>(count, size_t(info.st_size - at));
  }

  static bool refusesNewFile(const char *path, int flags) {
    const std::string &folder = active->folderWithoutNewFiles;
    return (flags & O_CREAT) && !folder.empty() && std::string(path).rfind(folder + "/", 0) == 0;
  }

  // A new file inside a folder held open: by name (O_CREAT) or nameless (O_TMPFILE), or a new name linked.
  static bool refusesNewFileIn(int folder, int flags) {
    if (!(flags & O_CREAT) && (flags & O_TMPFILE) != O_TMPFILE) return false;
    if (active->folderWithoutNewFiles.empty()) return false;
    char link[64], where[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", folder);
    ssize_t length = readlink(link, where, sizeof where - 1);
    return length > 0 && std::string(where, size_t(length)) == active->folderWithoutNewFiles;
  }

  static posix::Calls make() {
    posix::Calls c = real();
    c.open = [](const char *p, int f, mode_t m) {
      if (fails("open")) return -1;
      if (refusesNewFile(p, f)) {
        errno = EACCES;
        return -1;
      }
      return real().open(p, f, m);
    };
    c.close = [](int fd) {
      int result = real().close(fd);  // Linux releases the descriptor whatever close() says
      return fails("close") ? -1 : result;
    };
    c.read = [](int fd, void *b, size_t n) -> ssize_t {
      if (fails("read")) return -1;
      if (active->beforeRead) active->beforeRead(active->counts_["read"]);
      return real().read(fd, b, room("read", fd, n));
    };
    c.write = [](int fd, const void *b, size_t n) -> ssize_t {
      if (fails("write")) return -1;
      size_t fits = room("write", fd, n);
      if (fits == 0 && n > 0) {
        errno = ENOSPC;
        return -1;
      }
      return real().write(fd, b, fits);
    };
    c.lseek = [](int fd, off_t o, int w) { return fails("lseek") ? off_t(-1) : real().lseek(fd, o, w); };
    c.ftruncate = [](int fd, off_t n) { return fails("ftruncate") ? -1 : real().ftruncate(fd, n); };
    c.fsync = [](int fd) { return fails("fsync") ? -1 : real().fsync(fd); };
    c.fcntl = [](int fd, int cmd, int arg) { return fails("fcntl") ? -1 : real().fcntl(fd, cmd, arg); };
    c.fstat = [](int fd, struct stat *st) { return fails("fstat") ? -1 : real().fstat(fd, st); };
    c.stat = [](const char *p, struct stat *st) { return fails("stat") ? -1 : real().stat(p, st); };
    c.lstat = [](const char *p, struct stat *st) { return fails("lstat") ? -1 : real().lstat(p, st); };
    c.access = [](const char *p, int m) { return fails("access") ? -1 : real().access(p, m); };
    c.fchmod = [](int fd, mode_t m) { return fails("fchmod") ? -1 : real().fchmod(fd, m); };
    c.fchown = [](int fd, uid_t u, gid_t g) { return fails("fchown") ? -1 : real().fchown(fd, u, g); };
    c.rename = [](const char *a, const char *b) { return fails("rename") ? -1 : real().rename(a, b); };
    c.unlink = [](const char *p) { return fails("unlink") ? -1 : real().unlink(p); };
    c.realpath = [](const char *p, char *r) { return fails("realpath") ? nullptr : real().realpath(p, r); };
    c.openat = [](int d, const char *p, int f, mode_t m) {
      if (fails("openat")) return -1;
      if (refusesNewFileIn(d, f)) {
        errno = EACCES;
        return -1;
      }
      if (active->namelessFilesUnsupported && (f & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
      }
      return real().openat(d, p, f, m);
    };
    c.fstatat = [](int d, const char *p, struct stat *st, int f) { return fails("fstatat") ? -1 : real().fstatat(d, p, st, f); };
    c.renameat = [](int a, const char *p, int b, const char *q) { return fails("renameat") ? -1 : real().renameat(a, p, b, q); };
    c.linkat = [](int a, const char *p, int b, const char *q, int f) {
      if (fails("linkat")) return -1;
      if (refusesNewFileIn(b, O_CREAT)) {
        errno = EACCES;
        return -1;
      }
      return real().linkat(a, p, b, q, f);
    };
    c.unlinkat = [](int d, const char *p, int f) { return fails("unlinkat") ? -1 : real().unlinkat(d, p, f); };
    c.flistxattr = [](int fd, char *n, size_t s) -> ssize_t { return fails("flistxattr") ? -1 : real().flistxattr(fd, n, s); };
    c.fgetxattr = [](int fd, const char *n, void *v, size_t s) -> ssize_t {
      return fails("fgetxattr") ? -1 : real().fgetxattr(fd, n, v, s);
    };
    c.fsetxattr = [](int fd, const char *n, const void *v, size_t s, int f) {
      return fails("fsetxattr") ? -1 : real().fsetxattr(fd, n, v, s, f);
    };
    return c;
  }
};

Injector::Injector(Fault fault) : fault_(std::move(fault)) {
  active = this;
  previous = posix::replaceCalls(Table::make());
}

Injector::~Injector() {
  posix::replaceCalls(previous);
  active = nullptr;
}

}  // namespace posix_faults
