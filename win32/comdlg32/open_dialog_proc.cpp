// comdlg32: the Open dialog at work — the folder shown, its list, the file types, and what Open does
// with a typed name, a folder or a file.
#include <cstdio>
#include <cstring>

#include "comdlg32/dialog_texts.h"
#include "comdlg32/file_choice.h"
#include "comdlg32/open_dialog.h"
#include "gdi32/font.h"

namespace win32::comdlg {
namespace {

OpenSession *sessionOf(HWND dialog) { return reinterpret_cast<OpenSession *>(GetWindowLongPtrA(dialog, DWLP_USER)); }

std::string windowText(HWND hwnd) {
  std::string text(size_t(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(hwnd, text.data(), int(text.size()))));
  return text;
}

// A path too long for its line shows its end, where the folder's own name is.
std::string fitFromTheLeft(const std::string &path, int width) {
  if (font::textWidth(path) <= width) return path;
  const std::string ellipsis = "...";
  for (size_t i = 0; i < path.size();) {
    font::nextCodePoint(path, i);
    std::string shortened = ellipsis + path.substr(i);
    if (font::textWidth(shortened) <= width) return shortened;
  }
  return ellipsis;
}

void showFolderPath(HWND dialog, const std::string &folder) {
  HWND label = GetDlgItem(dialog, kFolderPath);
  RECT r;
  GetClientRect(label, &r);
  SetWindowTextA(label, fitFromTheLeft(folder, r.right).c_str());
}

std::vector<std::string> currentPatterns(const OpenSession &session) {
  if (!session.typedPatterns.empty()) return session.typedPatterns;
  if (session.filterIndex < 0 || session.filterIndex >= int(session.filters.size())) return {};
  return splitPatterns(session.filters[size_t(session.filterIndex)].patterns);
}

// Lists the folder again; the entry named `select`, when there is one, is selected and scrolled into view.
void fillList(HWND dialog, OpenSession &session, const std::string &select) {
  HWND list = GetDlgItem(dialog, kFileList);
  session.entries = listFolder(session.folder, currentPatterns(session));
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  int selected = -1;
  for (const FolderEntry &entry : session.entries) {
    int index = int(SendMessageA(list, LB_ADDSTRING, 0, LPARAM(displayName(entry).c_str())));
    if (!select.empty() && entry.name == select && selected < 0) selected = index;
  }
  if (selected >= 0) SendMessageA(list, LB_SETCURSEL, WPARAM(selected), 0);
}

void fillFileTypes(HWND dialog, const OpenSession &session) {
  HWND combo = GetDlgItem(dialog, kTypeCombo);
  for (const FileFilter &filter : session.filters)
    SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(filter.description.c_str()));
  SendMessageA(combo, CB_SETCURSEL, WPARAM(session.filterIndex), 0);
  if (session.filters.empty()) EnableWindow(combo, FALSE);
}

// Going up selects the folder just left, so the way back is one key away. The name box empties.
void enterFolder(HWND dialog, OpenSession &session, const std::string &folder) {
  std::string previous = session.folder;
  session.folder = folder;
  showFolderPath(dialog, folder);
  bool wentUp = previous != folder && folderOf(previous) == folder;
  fillList(dialog, session, wentUp ? nameOf(previous) : std::string());
  SetDlgItemTextA(dialog, kNameEdit, "");
}

void warn(HWND dialog, const char *format, const std::string &path) {
  std::string text(path.size() + std::strlen(format), '\0');
  text.resize(size_t(std::snprintf(text.data(), text.size(), format, path.c_str())));
  MessageBoxA(dialog, text.c_str(), windowText(dialog).c_str(), MB_OK | MB_ICONWARNING);
}

// A folder is entered; anything else is the choice, with the default extension when the name as typed
// names nothing. OFN_PATHMUSTEXIST and OFN_FILEMUSTEXIST refuse what is missing with a message.
void openPath(HWND dialog, OpenSession &session, const std::string &path, bool typedAsFolder) {
  if (isFolder(path)) {
    enterFolder(dialog, session, path);
    return;
  }
  if (typedAsFolder) {
    warn(dialog, dialogTexts().noSuchPath, path);
    return;
  }
  std::string chosen = withDefaultExtension(path, session.request->lpstrDefExt);
  DWORD flags = session.request->Flags;
  if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !isFolder(folderOf(chosen))) {
    warn(dialog, dialogTexts().noSuchPath, folderOf(chosen));
    return;
  }
  if ((flags & OFN_FILEMUSTEXIST) && !exists(chosen)) {
    warn(dialog, dialogTexts().noSuchFile, chosen);
    return;
  }
  session.chosen = chosen;
  EndDialog(dialog, IDOK);
}

// A name with * or ? in it is a filter: the list shows what matches it, in the folder the text names, and
// the dialog stays open with the filter in the name box.
void applyTypedFilter(HWND dialog, OpenSession &session, const std::string &path) {
  std::string folder = folderOf(path), patterns = nameOf(path);
  if (!isFolder(folder)) {
    warn(dialog, dialogTexts().noSuchPath, folder);
    return;
  }
  session.typedPatterns = splitPatterns(patterns);
  session.folder = folder;
  showFolderPath(dialog, folder);
  fillList(dialog, session, std::string());
  SetDlgItemTextA(dialog, kNameEdit, patterns.c_str());
}

// The name box takes a name, a relative path or an absolute one ("~" is the home folder), or a filter.
void openTyped(HWND dialog, OpenSession &session) {
  std::string typed = windowText(GetDlgItem(dialog, kNameEdit));
  if (typed.empty()) return;
  std::string path = normalizePath(joinPath(session.folder, expandHome(typed)));
  if (typed.find_first_of("*?") != std::string::npos) {
    applyTypedFilter(dialog, session, path);
    return;
  }
  openPath(dialog, session, path, typed.back() == '/');
}

void openEntry(HWND dialog, OpenSession &session, int index) {
  if (index < 0 || index >= int(session.entries.size())) return;
  const FolderEntry &entry = session.entries[size_t(index)];
  openPath(dialog, session, normalizePath(joinPath(session.folder, entry.name)), false);
}

// Open acts on the list's selection while the list has the focus, else on the name box.
void onOpen(HWND dialog, OpenSession &session) {
  HWND list = GetDlgItem(dialog, kFileList);
  int index = int(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (GetFocus() == list && index >= 0) {
    openEntry(dialog, session, index);
  } else {
    openTyped(dialog, session);
  }
}

// Selecting a file puts its name, as the bytes it is, into the name box.
void onListSelection(HWND dialog, OpenSession &session) {
  int index = int(SendDlgItemMessageA(dialog, kFileList, LB_GETCURSEL, 0, 0));
  if (index < 0 || index >= int(session.entries.size()) || session.entries[size_t(index)].folder) return;
  SetDlgItemTextA(dialog, kNameEdit, session.entries[size_t(index)].name.c_str());
}

void initialize(HWND dialog, OpenSession &session) {
  fillFileTypes(dialog, session);
  showFolderPath(dialog, session.folder);
  fillList(dialog, session, session.initialName);
  SetDlgItemTextA(dialog, kNameEdit, session.initialName.c_str());
  SendMessageA(dialog, WM_NEXTDLGCTL, WPARAM(GetDlgItem(dialog, kNameEdit)), TRUE);
}

bool onCommand(HWND dialog, OpenSession &session, int id, int code) {
  switch (id) {
    case IDOK: onOpen(dialog, session); return true;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return true;
    case kFileList:
      if (code == LBN_SELCHANGE) onListSelection(dialog, session);
      if (code == LBN_DBLCLK)
        openEntry(dialog, session, int(SendDlgItemMessageA(dialog, kFileList, LB_GETCURSEL, 0, 0)));
      return true;
    case kTypeCombo:
      if (code != CBN_SELCHANGE) return false;
      session.filterIndex = int(SendDlgItemMessageA(dialog, kTypeCombo, CB_GETCURSEL, 0, 0));
      session.typedPatterns.clear();
      fillList(dialog, session, std::string());
      return true;
    default: return false;
  }
}

}  // namespace

INT_PTR CALLBACK openDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    initialize(dialog, *reinterpret_cast<OpenSession *>(lParam));
    return FALSE;  // the name box has the focus
  }
  OpenSession *session = sessionOf(dialog);
  if (!session || message != WM_COMMAND) return FALSE;
  return onCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
}

}  // namespace win32::comdlg
