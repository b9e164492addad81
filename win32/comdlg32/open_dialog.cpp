// comdlg32: GetOpenFileNameA and CommDlgExtendedError — preparing the Open dialog and storing its choice.
#include "comdlg32/open_dialog.h"

#include <cstring>

#include "comdlg32/dialog_texts.h"
#include "comdlg32/file_choice.h"
#include "user32/dialog.h"

namespace win32::comdlg {
namespace {

DWORD lastError = 0;

std::string currentDirectory() {
  std::string folder(GetCurrentDirectoryA(0, nullptr), '\0');
  if (folder.empty()) return "/";
  folder.resize(GetCurrentDirectoryA(DWORD(folder.size()), folder.data()));
  return folder.empty() ? "/" : folder;
}

// The dialog starts in the folder of the name it is given (the name alone goes into the name box), else
// in lpstrInitialDir, else in the current directory. A name that is itself a folder opens that folder.
void chooseStartingPoint(const OPENFILENAMEA &request, OpenSession &session) {
  std::string cwd = currentDirectory();
  std::string initial(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile));
  session.folder = normalizePath(cwd);
  if (request.lpstrInitialDir && *request.lpstrInitialDir) {
    std::string folder = normalizePath(joinPath(cwd, request.lpstrInitialDir));
    if (isFolder(folder)) session.folder = folder;
  }
  if (initial.empty()) return;
  std::string path = normalizePath(joinPath(cwd, initial));
  if (isFolder(path)) {
    session.folder = path;
    return;
  }
  if (initial.find('/') == std::string::npos) {
    session.initialName = initial;
    return;
  }
  session.initialName = nameOf(path);
  if (isFolder(folderOf(path))) session.folder = folderOf(path);
}

// nFilterIndex 0 (or one past the list) starts with the first file type.
int startingFilter(const OPENFILENAMEA &request, const OpenSession &session) {
  if (session.filters.empty()) return -1;
  DWORD index = request.nFilterIndex;
  return index >= 1 && index <= session.filters.size() ? int(index) - 1 : 0;
}

// A path that does not fit makes the call fail; the first two bytes of the buffer then hold the size it
// needs, the NUL included, as Windows reports it.
BOOL storeChoice(OPENFILENAMEA &request, const OpenSession &session) {
  if (session.filterIndex >= 0) request.nFilterIndex = DWORD(session.filterIndex) + 1;
  const std::string &path = session.chosen;
  size_t needed = path.size() + 1;
  if (needed > request.nMaxFile) {
    if (request.nMaxFile >= sizeof(WORD)) {
      WORD size = WORD(needed);
      std::memcpy(request.lpstrFile, &size, sizeof size);
    }
    lastError = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::memcpy(request.lpstrFile, path.c_str(), needed);
  NameOffsets offsets = nameOffsets(path);
  request.nFileOffset = offsets.file;
  request.nFileExtension = offsets.extension;
  if (request.lpstrFileTitle && request.nMaxFileTitle > 0) {
    std::string title = nameOf(path);
    size_t n = std::min<size_t>(title.size(), request.nMaxFileTitle - 1);
    std::memcpy(request.lpstrFileTitle, title.data(), n);
    request.lpstrFileTitle[n] = 0;
  }
  return TRUE;
}

BOOL runOpenDialog(OPENFILENAMEA &request) {
  OpenSession session;
  session.request = &request;
  session.filters = parseFilters(request.lpstrFilter);
  session.filterIndex = startingFilter(request, session);
  chooseStartingPoint(request, session);
  std::string caption = request.lpstrTitle ? request.lpstrTitle : dialogTexts().caption;
  INT_PTR result = dialogBoxIndirect(nullptr, openDialogTemplate(caption), request.hwndOwner, openDialogProc,
                                     reinterpret_cast<LPARAM>(&session));
  if (result == -1) {
    lastError = CDERR_DIALOGFAILURE;
    return FALSE;
  }
  if (result != IDOK) return FALSE;
  return storeChoice(request, session);
}

}  // namespace
}  // namespace win32::comdlg

using namespace win32::comdlg;

extern "C" {

// Records of either size are accepted: the one without the Windows 2000 fields and the whole one.
// Cancelling leaves CommDlgExtendedError at 0. Unlike Windows without OFN_NOCHANGEDIR, the dialog never
// changes the current directory: the program joins bare command-line names with it.
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) {
  lastError = 0;
  if (!ofn) {
    lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A && ofn->lStructSize != sizeof(OPENFILENAMEA)) {
    lastError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
    lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  return runOpenDialog(*ofn);
}

DWORD WINAPI CommDlgExtendedError(void) { return lastError; }

}  // extern "C"
