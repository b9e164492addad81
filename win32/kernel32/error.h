// kernel32: the last-error code and the translation of POSIX errors into Win32 error codes.
#ifndef OXBYTE_WIN32_KERNEL32_ERROR_H
#define OXBYTE_WIN32_KERNEL32_ERROR_H

#include <windows.h>

namespace win32 {

enum class IoDirection { Read, Write };

// The Win32 code for a POSIX error; an I/O error counts as a read or a write fault by direction.
DWORD errorFromErrno(int error, IoDirection direction = IoDirection::Write);

// As errorFromErrno for a call on `path`, where Windows tells a missing file (ERROR_FILE_NOT_FOUND)
// from a missing or non-folder component on the way to it (ERROR_PATH_NOT_FOUND).
DWORD pathErrorFromErrno(int error, const char *path);

}  // namespace win32

#endif
