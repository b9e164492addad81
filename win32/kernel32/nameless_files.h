// kernel32: new files without a name, which get one only when complete.
#ifndef OXBYTE_WIN32_KERNEL32_NAMELESS_FILES_H
#define OXBYTE_WIN32_KERNEL32_NAMELESS_FILES_H

#include <sys/stat.h>

#include <string>

#include "kernel32/descriptor.h"

namespace win32 {

// A new private file (mode 0600) in `folder` with no name at all where the file system allows (O_TMPFILE),
// so that a crash leaves nothing of it; elsewhere it is made new under `fallbackName` (never through a
// symbolic link), and `named` says so.
Descriptor openNameless(int folder, const std::string &fallbackName, bool &named);

// Gives the nameless file the name `name` in `folder` (on the same file system); false with errno set
// (EEXIST: the name is taken) when it cannot.
bool giveName(int fd, int folder, const std::string &name);

// Removes `name` from `folder` only while it still leads to `file`: whatever another program put there
// stays.
void removeNameOf(int folder, const std::string &name, const struct stat &file);

bool stillLeadsTo(int folder, const std::string &name, const struct stat &file);

}  // namespace win32

#endif
