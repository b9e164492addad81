// comdlg32: the paths of the Open dialog — joining what the user typed to the folder shown, the default
// extension, and the offsets OPENFILENAMEA reports.
#ifndef OXBYTE_WIN32_COMDLG32_FILE_CHOICE_H
#define OXBYTE_WIN32_COMDLG32_FILE_CHOICE_H

#include <windows.h>

#include <string>

namespace win32::comdlg {

// The name inside the folder; an absolute name (starting with "/") stands alone. Paths are Linux paths
// used as the bytes they are.
std::string joinPath(const std::string &folder, const std::string &name);
// Resolves ".", ".." and repeated slashes of an absolute path without asking the disk, as a shell's `cd`
// does: "/a/b/../c/" is "/a/c", and ".." at the root stays at the root.
std::string normalizePath(const std::string &absolute);
// The folder part and the name part of an absolute, normalised path.
std::string folderOf(const std::string &path);
std::string nameOf(const std::string &path);
// "~" and "~/..." at the start stand for the home folder, as in a shell.
std::string expandHome(const std::string &typed);

bool isFolder(const std::string &path);  // follows symbolic links
bool exists(const std::string &path);    // a dangling symbolic link exists too

// A name without any dot gets the default extension — at most its first three characters, as Windows
// appends them — but only when the path as it stands names nothing, so an existing "data" stays "data".
std::string withDefaultExtension(const std::string &path, const char *defaultExtension);

// nFileOffset and nFileExtension: where the name starts, and where its extension starts after the dot.
// Without an extension the latter points at the terminating NUL; for a name that ends with a dot it is 0,
// as Windows documents it (Wine has these two cases the other way round).
struct NameOffsets {
  WORD file = 0;
  WORD extension = 0;
};
NameOffsets nameOffsets(const std::string &path);

}  // namespace win32::comdlg

#endif
