// Writing the document back. The bytes go to a new temporary file beside the file first, which then
// takes the file's place (ReplaceFileA keeps its owner, permissions and attributes, and its target when
// the name is a symbolic link), so a failure at any point leaves the file as it was. Where the folder
// takes no new file, the file is overwritten in place, never cut short first, and its old bytes are put
// back when the overwrite fails part-way. Only a regular file is ever written: a name that has become a
// folder, a pipe or a device is refused.
#include <cstdio>
#include <string>
#include <vector>

#include "document/editor_state.h"
#include "document/file_access.h"
#include "document/path.h"

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

std::string folderOf(const std::string &path) {
  const char *name = fileNameOf(path.c_str());
  if (name == path.c_str()) return ".";
  return path.substr(0, size_t(name - path.c_str()));
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
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
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
  return ok ? 1 : 0;
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

// A new temporary file in the folder the file itself is in (not beside a symbolic link to it), so that it
// can take the file's place in one rename. No limit on the path's length decides whether there is one.
HANDLE createBeside(HANDLE file, const char *path, std::string &temporary) {
  std::vector<char> finalPath(MAX_PATH);
  DWORD length = GetFinalPathNameByHandleA(file, finalPath.data(), DWORD(finalPath.size()), 0);
  if (length >= finalPath.size()) {
    finalPath.resize(length + 1);
    length = GetFinalPathNameByHandleA(file, finalPath.data(), DWORD(finalPath.size()), 0);
  }
  std::string folder = folderOf(length > 0 && length < finalPath.size() ? finalPath.data() : path);
  for (DWORD attempt = 0; attempt < 16; ++attempt) {
    char name[48];
    std::snprintf(name, sizeof name, ".oxbyte-save-%X.tmp", unsigned(GetTickCount() + attempt));
    temporary = folder + name;
    HANDLE fresh = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (fresh != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return fresh;
  }
  return INVALID_HANDLE_VALUE;
}

// ReplaceFileA takes the file's name only while it still leads to the file opened; where the file could
// not be replaced (the system would not remove it), it is overwritten in place through its handle.
int replaceThroughNewFile(HANDLE file, const char *path, const uint8_t *data, int32_t size, HANDLE fresh,
                          const std::string &temporary) {
  bool ok = writeAll(fresh, data, size) && FlushFileBuffers(fresh);
  if (!CloseHandle(fresh)) ok = false;
  if (ok && ReplaceFileA(path, temporary.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)) return 1;
  DWORD why = ok ? GetLastError() : ERROR_WRITE_FAULT;
  DeleteFileA(temporary.c_str());
  return why == ERROR_UNABLE_TO_REMOVE_REPLACED ? overwriteInPlace(file, data, size) : 0;
}

}  // namespace

int writeWholeFile(const char *path, uint8_t *&data, int32_t &size) {
  // Opening the file for writing first refuses read-only and locked files before anything is written.
  // It stays open, sharing deletion, so that the replacement can take the name of this very file.
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // The file is gone: there is nothing to protect, so it is simply written anew.
    return GetLastError() == ERROR_FILE_NOT_FOUND ? writeNewFile(path, data, size) : 0;
  }
  int written = 0;
  if (GetFileType(file) == FILE_TYPE_DISK) {
    std::string temporary;
    HANDLE fresh = createBeside(file, path, temporary);
    written = fresh == INVALID_HANDLE_VALUE ? overwriteInPlace(file, data, size)
                                            : replaceThroughNewFile(file, path, data, size, fresh, temporary);
  }
  CloseHandle(file);  // every byte written has been flushed: closing changes nothing on the disk
  return written;
}
