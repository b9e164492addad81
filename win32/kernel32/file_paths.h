// kernel32: folders of paths, joining names, and making a folder's entries durable.
#ifndef OXBYTE_WIN32_KERNEL32_FILE_PATHS_H
#define OXBYTE_WIN32_KERNEL32_FILE_PATHS_H

#include <windows.h>

#include <string>

namespace win32 {

// The folder holding the last component of `path` ("." for a bare name, "/" at the root). Paths are
// used as the bytes they are: '/' separates, '\' is an ordinary byte.
std::string folderOf(const std::string &path);

// The last component of `path`, without the separators after it.
std::string leafOf(const std::string &path);

// `name` inside `folder`, with one '/' between them.
std::string joinPath(const std::string &folder, const std::string &name);

// Makes what was written through the descriptor durable, trying again when interrupted. Devices, pipes
// and file systems that cannot flush folders say EINVAL: they are as durable as they get. Returns a Win32
// error code.
DWORD syncDescriptor(int fd);

// Flushes the folder itself, so that a rename or a new entry in it survives a crash. Returns a Win32
// error code, ERROR_SUCCESS when done (or when the file system cannot flush folders).
DWORD syncFolder(const std::string &folder);

}  // namespace win32

#endif
