// kernel32: the files the program makes as temporary — private, and without a name until put in place.
#ifndef OXBYTE_WIN32_KERNEL32_TEMPORARY_FILES_H
#define OXBYTE_WIN32_KERNEL32_TEMPORARY_FILES_H

#include <windows.h>

#include <string>

#include "kernel32/descriptor.h"

namespace win32 {

// A file made with CreateFileA, CREATE_NEW and FILE_ATTRIBUTE_TEMPORARY belongs to the program alone:
// it is private to its user (mode 0600) from the start and, where the file system allows, has no name in
// its folder at all, so that nothing of it outlives the program. After its handle closes the program
// still reaches it by the path it was made with — ReplaceFileA puts it in place of another file, and
// DeleteFileA lets it go — but no other call, and no other program, sees it under that name. Where the
// file system cannot make nameless files, it is made under that path, privately.
struct Temporary {
  Descriptor file;
  Descriptor folder;  // the folder it was made in
  std::string leaf;   // its name in that folder
  bool named = false;
};

// Makes the file inside the folder of `path`; returns its descriptor for the handle, or -1 with `error`.
int createTemporary(const std::string &path, DWORD &error);
// The handle of a temporary file closes: the file is kept, under the path it was made with.
void keepTemporary(const std::string &path, int fd);
// The handle's creation failed after createTemporary: the file is given up.
void abandonTemporary(int fd);
// The temporary file kept under `path`, or null.
Temporary *findTemporary(const std::string &path);
// Lets go of the temporary file kept under `path`, removing its name where it has one.
bool releaseTemporary(const std::string &path);
// The temporary file was put in place under another name: it is forgotten without being removed.
void forgetTemporary(const std::string &path);

}  // namespace win32

#endif
