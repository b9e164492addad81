// kernel32: CreateFileA over POSIX open(), with Windows' dispositions, share modes and results.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "kernel32/error.h"
#include "kernel32/file_attributes.h"
#include "kernel32/file_table.h"
#include "kernel32/posix.h"
#include "kernel32/temporary_files.h"

namespace {

using win32::posix::calls;

struct Request {
  const char *path;
  DWORD access;
  DWORD share;
  DWORD disposition;
  DWORD flags;
};

struct Opened {
  int fd = -1;
  bool existed = false;
  DWORD error = ERROR_SUCCESS;
};

bool truncates(DWORD disposition) { return disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING; }

// Truncating needs a writable descriptor whatever the caller asked for; ReadFile and WriteFile check
// the access the caller asked for, not the descriptor's mode. Opening never blocks: a FIFO without a
// writer or a terminal would otherwise hang here.
int openFlags(const Request &request) {
  bool write = (request.access & GENERIC_WRITE) || truncates(request.disposition);
  bool read = request.access & GENERIC_READ;
  int flags = (write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY) | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  if (request.flags & FILE_FLAG_WRITE_THROUGH) flags |= O_DSYNC;
  return flags;
}

Opened failed(int error, const char *path) { return {-1, false, win32::pathErrorFromErrno(error, path)}; }

// Creating with O_EXCL first tells Windows' "created" from "already existed" without a race. A name
// that vanishes between the two tries is tried again a few times.
Opened openCreatingIfMissing(const Request &request, int flags) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    int fd = calls().open(request.path, flags | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) return {fd, false, ERROR_SUCCESS};
    if (errno != EEXIST) return failed(errno, request.path);
    fd = calls().open(request.path, flags, 0);
    if (fd >= 0) return {fd, true, ERROR_SUCCESS};
    if (errno != ENOENT) return failed(errno, request.path);
  }
  return failed(ENOENT, request.path);
}

bool isTemporary(const Request &request) {
  return request.disposition == CREATE_NEW && (request.flags & FILE_ATTRIBUTE_TEMPORARY);
}

Opened openByDisposition(const Request &request) {
  int flags = openFlags(request);
  if (isTemporary(request)) {
    Opened made;
    made.fd = win32::createTemporary(request.path, made.error);
    return made;
  }
  switch (request.disposition) {
    case CREATE_NEW: {
      int fd = calls().open(request.path, flags | O_CREAT | O_EXCL, 0666);
      if (fd >= 0) return {fd, false, ERROR_SUCCESS};
      return failed(errno, request.path);  // EEXIST gives ERROR_FILE_EXISTS
    }
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: return openCreatingIfMissing(request, flags);
    default: {
      int fd = calls().open(request.path, flags, 0);
      if (fd >= 0) return {fd, true, ERROR_SUCCESS};
      return failed(errno, request.path);
    }
  }
}

// The checks Windows makes on the file it found, before anything in it changes.
DWORD checkOpenedFile(const Request &request, const Opened &opened, const struct stat &info) {
  if (S_ISDIR(info.st_mode)) return ERROR_ACCESS_DENIED;  // folders need FILE_FLAG_BACKUP_SEMANTICS
  bool writes = (request.access & GENERIC_WRITE) || truncates(request.disposition);
  if (opened.existed && writes && S_ISREG(info.st_mode) && win32::isReadOnlyFile(info, request.path))
    return ERROR_ACCESS_DENIED;
  if (win32::conflictsWithOpenHandles(info.st_dev, info.st_ino, request.access, request.share))
    return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

// Only regular files go back to blocking I/O; devices and FIFOs stay non-blocking.
DWORD prepareRegularFile(const Request &request, const Opened &opened) {
  int flags = calls().fcntl(opened.fd, F_GETFL, 0);
  if (flags < 0 || calls().fcntl(opened.fd, F_SETFL, flags & ~O_NONBLOCK) < 0) return win32::errorFromErrno(errno);
  if (opened.existed && truncates(request.disposition) && calls().ftruncate(opened.fd, 0) != 0)
    return win32::errorFromErrno(errno);
  return ERROR_SUCCESS;
}

// Windows opens a name as a file: an existing folder refuses CREATE_NEW as it refuses every other
// disposition, with "access denied" rather than "file exists".
bool isFolder(const char *path) {
  struct stat info;
  return calls().stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

HANDLE finishOpen(const Request &request, const Opened &opened) {
  struct stat info;
  DWORD error = calls().fstat(opened.fd, &info) == 0 ? checkOpenedFile(request, opened, info)
                                                      : win32::errorFromErrno(errno);
  if (error == ERROR_SUCCESS && S_ISREG(info.st_mode)) error = prepareRegularFile(request, opened);
  if (error != ERROR_SUCCESS) {
    if (isTemporary(request)) win32::abandonTemporary(opened.fd);
    calls().close(opened.fd);
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  win32::OpenFile file{opened.fd,         request.access & (GENERIC_READ | GENERIC_WRITE),
                       request.share,     info.st_dev,
                       info.st_ino,       S_ISREG(info.st_mode),
                       request.path,      isTemporary(request)};
  HANDLE handle = win32::addOpenFile(file);
  bool kept = opened.existed && (request.disposition == CREATE_ALWAYS || request.disposition == OPEN_ALWAYS);
  SetLastError(kept ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

}  // namespace

// Security attributes, templates and the other flags have no meaning here and are ignored; handles
// are never inherited by child processes. A new file made as temporary is the program's own
// (kernel32/temporary_files.h).
extern "C" HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                                     DWORD dwFlagsAndAttributes, HANDLE) {
  // Truncating asks for GENERIC_WRITE itself, not merely for a right to write data.
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING ||
      (dwCreationDisposition == TRUNCATE_EXISTING && !(dwDesiredAccess & GENERIC_WRITE))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (lpFileName == nullptr) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  Request request{lpFileName, dwDesiredAccess, dwShareMode, dwCreationDisposition, dwFlagsAndAttributes};
  Opened opened = openByDisposition(request);
  if (opened.fd < 0) {
    if (opened.error == ERROR_FILE_EXISTS && isFolder(lpFileName)) opened.error = ERROR_ACCESS_DENIED;
    SetLastError(opened.error);
    return INVALID_HANDLE_VALUE;
  }
  return finishOpen(request, opened);
}
