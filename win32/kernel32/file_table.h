// kernel32: the table of open file handles and the share modes they grant each other.
#ifndef OXBYTE_WIN32_KERNEL32_FILE_TABLE_H
#define OXBYTE_WIN32_KERNEL32_FILE_TABLE_H

#include <sys/types.h>
#include <windows.h>

#include <optional>
#include <string>

namespace win32 {

struct OpenFile {
  int fd = -1;
  DWORD access = 0;  // GENERIC_READ and GENERIC_WRITE as granted by CreateFileA
  DWORD share = 0;   // FILE_SHARE_* granted to later openers
  dev_t device = 0;
  ino_t inode = 0;
  bool regular = false;  // a regular file (as opposed to a device, FIFO or socket)
  std::string name;      // the path it was opened with
  bool temporary = false;  // made with FILE_ATTRIBUTE_TEMPORARY: kept when its handle closes
};

// A new handle for `file`. Handles are small tokens, never descriptor numbers, never
// INVALID_HANDLE_VALUE and never null.
HANDLE addOpenFile(const OpenFile &file);

// The file behind a handle, or nothing when the handle is not an open file handle.
std::optional<OpenFile> findOpenFile(HANDLE handle);

// Forgets the handle and gives back what it held; the caller closes the descriptor.
std::optional<OpenFile> removeOpenFile(HANDLE handle);

// Windows' two-way rule: a request conflicts with an open handle of the same file when it asks for an
// access that handle does not share, or shares less than that handle already uses. Handles and
// requests without read or write access take no part.
bool conflictsWithOpenHandles(dev_t device, ino_t inode, DWORD access, DWORD share);

// Whether a handle is open on the file that was opened under `name` (nullopt: no handle is open under
// that name at all).
std::optional<bool> openUnderName(const std::string &name, dev_t device, ino_t inode);

// Deleting or renaming a file needs every handle open on it to share delete access.
bool openWithoutDeleteSharing(dev_t device, ino_t inode);

}  // namespace win32

#endif
