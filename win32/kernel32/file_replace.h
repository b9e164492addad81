// kernel32: the two ways ReplaceFileA puts new bytes in place of a file's old ones.
#ifndef OXBYTE_WIN32_KERNEL32_FILE_REPLACE_H
#define OXBYTE_WIN32_KERNEL32_FILE_REPLACE_H

#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "kernel32/descriptor.h"

namespace win32 {

// The file being replaced, found once: its folder held open, its name there, the file itself. Folders are
// held as paths (O_PATH), which needs no permission to read them: a folder the user may only write to
// and pass through is enough to replace a file in it.
struct Replaced {
  Descriptor folder;
  std::string leaf;
  Descriptor file;  // open for reading and writing
  struct stat info {};
};

// The file whose bytes take its place.
struct Replacement {
  Descriptor file;
  int folder = -1;   // where its name is, when it has one (held open by whoever owns the file)
  std::string leaf;  // empty: the file has no name
  struct stat info {};
};

// Gives the replacement the original's owner, group, mode and extended attributes (ACLs and security
// labels among them). False when any of them cannot be given: a rename would then lose them.
bool adoptMetadata(const Replaced &replaced, const Replacement &replacement);

// The replacement takes the original's name in one rename. ERROR_RENAME_REFUSED when the system
// refuses that rename (nothing has changed), any other code when it failed.
constexpr DWORD ERROR_RENAME_REFUSED = 0xFFFF0001;
DWORD renameIntoPlace(const Replaced &replaced, const Replacement &replacement);

// The original's bytes are overwritten with the replacement's, a private copy of the old bytes lying
// beside it until the new ones are on the disk. ERROR_UNABLE_TO_REMOVE_REPLACED when there is no room
// for that copy (nothing has changed).
DWORD writeInPlace(const Replaced &replaced, const Replacement &replacement);

// Flushes a folder held as a path, so that its entries survive a crash. False where it cannot be (a file
// system that does not flush folders, a folder the user may not read).
bool syncFolderOf(int folder);

}  // namespace win32

#endif
