// Writing the document back. The bytes go to a new file in the same folder first, which then takes the
// original's place (keeping its permissions, and its target when it is a symbolic link), so a failure at
// any point leaves the original as it was. Where that route is closed — a folder we cannot create files
// in, a file with several hard links whose other names must see the new bytes — the file is overwritten
// in place, never cut short first, and its old bytes are put back when the overwrite fails part-way.
// Only a regular file is ever written: a name that has become a folder, a pipe or a device is refused.
#include <cstring>
#include <string>
#include <vector>

#include "app/path.h"
#include "document/editor_state.h"
#include "document/file_access.h"

namespace {

// The old bytes kept for an overwrite in place: far more than any document, far less than memory.
constexpr int32_t MAX_KEPT_BYTES = 4 * MAX_FILE_SIZE;

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

// Writes the bytes over the open file from its start and cuts it to their length.
bool rewrite(HANDLE file, const uint8_t *data, int32_t size) {
  return SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER && writeAll(file, data, size) &&
         SetEndOfFile(file) && FlushFileBuffers(file);
}

// The file's bytes as they are now; false when they cannot all be read, or there are too many to keep.
bool readCurrentBytes(HANDLE file, std::vector<uint8_t> &bytes) {
  DWORD high = 0;
  SetLastError(NO_ERROR);
  DWORD low = GetFileSize(file, &high);
  if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || low > DWORD(MAX_KEPT_BYTES))
    return false;
  bytes.resize(low);
  DWORD done = 0;
  while (done < low) {
    DWORD got = 0;
    if (!ReadFile(file, bytes.data() + done, low - done, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

// The file (open for reading and writing) is overwritten in place. Its old bytes are read first, so that
// a write that fails part-way can put them back rather than leave a mixture of old and new.
int overwriteInPlace(HANDLE file, const uint8_t *data, int32_t size) {
  std::vector<uint8_t> original;
  bool ok = readCurrentBytes(file, original);
  if (ok && !rewrite(file, data, size)) {
    ok = false;
    rewrite(file, original.data(), int32_t(original.size()));
  }
  return CloseHandle(file) && ok ? 1 : 0;
}

// The file had vanished: it is written anew, and a copy that could not be completed is removed again.
int writeNewFile(const char *path, const uint8_t *data, int32_t size) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  bool ok = writeAll(file, data, size) && FlushFileBuffers(file);
  if (!CloseHandle(file)) ok = false;
  if (!ok) DeleteFileA(path);
  return ok ? 1 : 0;
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
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // The file is gone: there is nothing to protect, so it is simply written anew.
    return GetLastError() == ERROR_FILE_NOT_FOUND ? writeNewFile(path, data, size) : 0;
  }
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return 0;
  }
  // Without the count of its names the file cannot be told apart from one with hard links, whose other
  // names a rename would leave behind with the old bytes: such a save is refused.
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) {
    CloseHandle(file);
    return 0;
  }
  bool hardLinked = info.nNumberOfLinks > 1;
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
