// What the kernel32 file tests need from the platform beyond the Win32 calls they test: things in the file
// system that only the platform's own calls make. Linux (the stand-in) and real Windows each implement it
// once: platform_files_standin.cpp, platform_files_windows.cpp.
#ifndef OXBYTE_TESTS_SUPPORT_PLATFORM_FILES_H
#define OXBYTE_TESTS_SUPPORT_PLATFORM_FILES_H

#include <windows.h>

#include <cstdint>
#include <string>

namespace platform {

// A path that CreateFileA opens, for reading and without waiting for a writer, as a pipe: a FIFO made in
// `folder` (Linux), or a named pipe whose server end the test process holds (Windows).
std::string makePipe(const std::string &folder);

// A character device that every process may open for reading: /dev/null, or Windows' NUL.
std::string characterDevice();

// Gives the existing file at `path` the size `size`, the new part reading as zeros; where the file system
// allows, without taking disk space for it. False when it could not.
bool resizeFile(const std::string &path, std::uint64_t size);

// Whether these tests run under Wine started by Unix root. Wine opens files with its Unix user's rights, and
// Unix lets root write a file that has no write permission: there a read-only file opens for writing.
// Never so on Windows or the stand-in.
bool wineRunsAsRoot();

}  // namespace platform

#endif
