// The Open dialog record, and reading files whole.
#include "document/file_access.h"

OPENFILENAMEA openFileName;

namespace {

const char openFilter[] =
    "可执行文件 (*.EXE;*.COM;*.DLL;*.SCR;*.BIN)\0*.exe;*.com;*.dll;*.scr;*.bin\0"
    "所有文件 (*.*)\0*.*\0";

}  // namespace

void initOpenDialog(HWND owner) {
  openFileName = OPENFILENAMEA{};
  openFileName.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  openFileName.hwndOwner = owner;
  openFileName.lpstrFilter = openFilter;
  openFileName.nMaxFile = 260;
  openFileName.nMaxFileTitle = 260;
  openFileName.lpstrDefExt = "txt";
}

BOOL chooseFile(HWND owner, char *path, char *title) {
  openFileName.hwndOwner = owner;
  openFileName.lpstrFile = path;
  openFileName.lpstrFileTitle = title;
  openFileName.Flags = OFN_HIDEREADONLY;
  if (GetOpenFileNameA(&openFileName)) return TRUE;
  // A chosen path too long for the buffer comes back as its needed size in the buffer's first two bytes:
  // that is no name to offer the next time.
  if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) path[0] = 0;
  return FALSE;
}

// Only regular files are documents: a pipe, a device or a folder is refused at once (the open never
// waits for a writer). The size is compared in 64 bits, so a file of 4 GiB and more is too large rather
// than wrapped to a small size.
int openForRead(const char *path, int32_t &size, HANDLE &file) {
  int32_t limit = size;
  file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD high = 0, low = INVALID_FILE_SIZE;
  bool measured = false;
  if (GetFileType(file) == FILE_TYPE_DISK) {
    SetLastError(NO_ERROR);
    low = GetFileSize(file, &high);
    measured = low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR;
  }
  if (measured) {
    uint64_t actual = (uint64_t(high) << 32) | low;
    size = actual > uint64_t(INT32_MAX) ? INT32_MAX : int32_t(actual);
    if (actual <= uint64_t(limit)) return 1;
  }
  CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
  return 0;
}

int readWholeFile(HANDLE file, uint8_t *buffer, int32_t count) {
  int32_t done = 0;
  bool ok = true;
  while (done < count) {
    DWORD got = 0;
    if (!ReadFile(file, buffer + done, DWORD(count - done), &got, nullptr) || got == 0) {
      ok = false;
      break;
    }
    done += int32_t(got);
  }
  CloseHandle(file);
  return ok ? 1 : 0;
}
