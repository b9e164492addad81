// kernel32: ReplaceFileA, which puts a freshly written file in place of an existing one.
//
// The replaced file's name is looked up once: its chain of symbolic links resolved, its folder opened.
// From then on every step works on descriptors, so that nothing planted under a name meanwhile (a
// symbolic link, another file) is ever written, given an owner or renamed over: the replacement is the
// very file the program wrote, and the name is replaced only while it still leads to the file looked
// up. The rename is used only where it keeps what users rely on; otherwise the file is overwritten in
// place, crash-safely (file_replace_routes.cpp).
#include "kernel32/file_replace.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>

#include "kernel32/error.h"
#include "kernel32/file_attributes.h"
#include "kernel32/file_paths.h"
#include "kernel32/file_table.h"
#include "kernel32/nameless_files.h"
#include "kernel32/temporary_files.h"

namespace {

using namespace win32;
using posix::calls;

DWORD findReplaced(const char *name, Replaced &replaced) {
  char *resolved = calls().realpath(name, nullptr);
  if (resolved == nullptr) return pathErrorFromErrno(errno, name);
  std::string target = resolved;
  free(resolved);
  replaced.folder = Descriptor(calls().open(folderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0));
  if (!replaced.folder) return pathErrorFromErrno(errno, target.c_str());
  replaced.leaf = leafOf(target);
  replaced.file = Descriptor(calls().openat(replaced.folder.get(), replaced.leaf.c_str(),
                                            O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
  // The name led to a symbolic link after all: it was swapped in since the lookup.
  if (!replaced.file) return errno == ELOOP ? ERROR_UNABLE_TO_MOVE_REPLACEMENT : pathErrorFromErrno(errno, name);
  if (calls().fstat(replaced.file.get(), &replaced.info) != 0) return errorFromErrno(errno);
  // The file opened has lost its name already: another program swapped something in meanwhile.
  if (replaced.info.st_nlink == 0 || !stillLeadsTo(replaced.folder.get(), replaced.leaf, replaced.info))
    return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  if (!S_ISREG(replaced.info.st_mode) || isReadOnlyFile(replaced.info, target.c_str())) return ERROR_ACCESS_DENIED;
  if (openWithoutDeleteSharing(replaced.info.st_dev, replaced.info.st_ino)) return ERROR_SHARING_VIOLATION;
  // While the program holds the file it names open, the name must still lead to that file.
  if (openUnderName(name, replaced.info.st_dev, replaced.info.st_ino) == false) return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  return ERROR_SUCCESS;
}

// A temporary file the program made is reached through the descriptor it kept; any other replacement
// by its name, which must not be a symbolic link.
DWORD findReplacement(const char *name, Descriptor &ownFolder, Replacement &replacement) {
  if (Temporary *made = findTemporary(name)) {
    replacement.file = Descriptor(calls().fcntl(made->file.get(), F_DUPFD_CLOEXEC, 0));
    if (made->named) replacement.folder = made->folder.get(), replacement.leaf = made->leaf;
  } else {
    ownFolder = Descriptor(calls().open(folderOf(name).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0));
    if (!ownFolder) return pathErrorFromErrno(errno, name);
    replacement.folder = ownFolder.get();
    replacement.leaf = leafOf(name);
    replacement.file = Descriptor(calls().openat(ownFolder.get(), replacement.leaf.c_str(),
                                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
  }
  if (!replacement.file) return errno == ELOOP ? ERROR_ACCESS_DENIED : pathErrorFromErrno(errno, name);
  if (calls().fstat(replacement.file.get(), &replacement.info) != 0) return errorFromErrno(errno);
  if (!S_ISREG(replacement.info.st_mode)) return ERROR_ACCESS_DENIED;
  // Windows opens the replacement for itself alone.
  if (conflictsWithOpenHandles(replacement.info.st_dev, replacement.info.st_ino, GENERIC_READ | GENERIC_WRITE, 0))
    return ERROR_SHARING_VIOLATION;
  return ERROR_SUCCESS;
}

// A rename keeps what users rely on only for a file with one name whose owner, group, mode and extended
// attributes the replacement can be given.
DWORD replaceFile(const char *replacedName, const char *replacementName) {
  Replaced replaced;
  DWORD error = findReplaced(replacedName, replaced);
  Descriptor replacementFolder;
  Replacement replacement;
  if (error == ERROR_SUCCESS) error = findReplacement(replacementName, replacementFolder, replacement);
  if (error != ERROR_SUCCESS) return error;
  if (replaced.info.st_nlink == 1 && adoptMetadata(replaced, replacement)) {
    error = renameIntoPlace(replaced, replacement);
    if (error != ERROR_RENAME_REFUSED) return error;
  }
  return writeInPlace(replaced, replacement);
}

}  // namespace

// Backup files, merge exclusions and the reserved pointer are not offered; every replacement is
// written through, so REPLACEFILE_WRITE_THROUGH changes nothing.
extern "C" BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName,
                                    DWORD dwReplaceFlags, LPVOID lpExclude, LPVOID lpReserved) {
  DWORD error = ERROR_INVALID_PARAMETER;
  bool supported = lpBackupFileName == nullptr && lpExclude == nullptr && lpReserved == nullptr &&
                   !(dwReplaceFlags & ~(REPLACEFILE_WRITE_THROUGH | REPLACEFILE_IGNORE_MERGE_ERRORS));
  if (lpReplacedFileName && lpReplacementFileName && supported)
    error = replaceFile(lpReplacedFileName, lpReplacementFileName);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  // The replacement's name is gone: a temporary file the program made is forgotten, not removed.
  win32::forgetTemporary(lpReplacementFileName);
  return TRUE;
}
