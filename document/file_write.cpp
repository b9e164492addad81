// Writing the document back. The bytes go to a new file in the same folder first, which then takes the
// original's place (keeping its permissions, and its target when it is a symbolic link), so a failure at
// any point leaves the original as it was. Where that route is closed — a folder we cannot create files
// in, a file with several hard links whose other names must see the new bytes — the file is overwritten
// in place, never cut short first.
#include <cstring>
#include <string>

#include "app/path.h"
#include "document/file_access.h"

namespace {

bool writeAll(HANDLE file, const uint8_t *data, int32_t size) {
  int32_t done = 0;
  while (done < size) {
    DWORD wrote = 0;
    if (!WriteFile(file, data + done, DWORD(size - done), &wrote, nullptr) || wrote == 0) return false;
    done += int32_t(wrote);
  }
  return true;
}

std::string folderOf(const char *path) {
  const char *name = fileNameOf(path);
  if (name == path) return ".";
  return std::string(path, size_t(name - path));
}

// Overwrites the open file from its start and cuts it to the document's length.
int overwriteInPlace(HANDLE file, const uint8_t *data, int32_t size) {
  bool ok = SetFilePointer(file, 0, nullptr, 0) != INVALID_FILE_SIZE && writeAll(file, data, size) &&
            SetEndOfFile(file) && FlushFileBuffers(file);
  return CloseHandle(file) && ok ? 1 : 0;
}

int replaceThroughNewFile(const char *path, const uint8_t *data, int32_t size, const char *temporary) {
  HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE && writeAll(file, data, size) && FlushFileBuffers(file);
  if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) ok = false;
  if (ok && ReplaceFileA(path, temporary, nullptr, 0, nullptr, nullptr)) return 1;
  DeleteFileA(temporary);
  return 0;
}

}  // namespace

int writeWholeFile(const char *path, uint8_t *&data, int32_t &size) {
  // Opening the file for writing first refuses read-only and locked files before anything is written.
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return 0;
    // The file is gone: there is nothing to protect, so it is simply written anew.
    file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return file == INVALID_HANDLE_VALUE ? 0 : overwriteInPlace(file, data, size);
  }
  BY_HANDLE_FILE_INFORMATION info;
  bool hardLinked = GetFileInformationByHandle(file, &info) && info.nNumberOfLinks > 1;
  // The new file is made beside the file itself (not beside a symbolic link to it), so that it can
  // take the file's place in one rename.
  char finalPath[4096], temporary[4096 + 16];
  DWORD length = GetFinalPathNameByHandleA(file, finalPath, sizeof finalPath, 0);
  const char *where = length > 0 && length < sizeof finalPath ? finalPath : path;
  if (hardLinked || !GetTempFileNameA(folderOf(where).c_str(), "oxb", 0, temporary))
    return overwriteInPlace(file, data, size);
  CloseHandle(file);
  return replaceThroughNewFile(path, data, size, temporary);
}
