// comdlg32: the Open dialog's template and control identifiers.
#ifndef OXBYTE_WIN32_COMDLG32_OPEN_DIALOG_H
#define OXBYTE_WIN32_COMDLG32_OPEN_DIALOG_H

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "comdlg32/folder_listing.h"
#include "user32/dialog_template.h"

namespace win32::comdlg {

// The controls, with the identifiers <dlgs.h> gives the classic Open dialog's.
constexpr int kFolderLabel = 0x443;  // stc4
constexpr int kFolderPath = 0x440;   // stc1: the folder shown
constexpr int kFileList = 0x460;     // lst1: its folders and matching files
constexpr int kNameLabel = 0x442;    // stc3
// The file name box has cmb13's identifier: a program started without a hook or template gets the
// Explorer-style dialog, whose file name is typed in cmb13 (there is no edt1).
constexpr int kNameEdit = 0x47C;     // cmb13: the file name
constexpr int kTypeLabel = 0x441;    // stc2
constexpr int kTypeCombo = 0x470;    // cmb1: the file types of lpstrFilter

// The dialog in dialog units; its texts follow the program's language.
DialogTemplate openDialogTemplate(const std::string &caption);

// What one run of the dialog works with.
struct OpenSession {
  const OPENFILENAMEA *request = nullptr;
  std::vector<FileFilter> filters;
  int filterIndex = -1;  // the file type selected, from 0; -1 without filters
  std::vector<std::string> typedPatterns;  // a filter typed in the name box; it holds until a type is chosen
  std::string folder;    // absolute and normalised
  std::string initialName;
  std::vector<FolderEntry> entries;  // what the list shows, in its order
  std::string chosen;                // the full path, once the dialog ended with IDOK
};

// The dialog procedure; WM_INITDIALOG brings the OpenSession.
INT_PTR CALLBACK openDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32::comdlg

#endif
