// kernel32: Windows file attributes from POSIX file modes.
#ifndef OXBYTE_WIN32_KERNEL32_FILE_ATTRIBUTES_H
#define OXBYTE_WIN32_KERNEL32_FILE_ATTRIBUTES_H

#include <sys/stat.h>
#include <windows.h>

namespace win32 {

// Windows' read-only attribute binds every user, administrators included. Its stand-in is a file we
// may not write, or one with no write permission bit at all, which then binds root as well.
// `path` names the file for the permission check.
bool isReadOnlyFile(const struct stat &info, const char *path);

// FILE_ATTRIBUTE_DIRECTORY for a folder; FILE_ATTRIBUTE_ARCHIVE otherwise, with FILE_ATTRIBUTE_READONLY
// for a read-only file. Windows marks every file it creates or writes for archiving, and Linux keeps no
// such mark to clear: a file here always has it (as under Wine).
DWORD attributesOf(const struct stat &info, const char *path);

}  // namespace win32

#endif
