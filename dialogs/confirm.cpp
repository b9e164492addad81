// The Yes/No question box and the About box.
#include "dialogs/confirm.h"

#include "resources/resource.h"

INT_PTR CALLBACK confirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextA(dialog, IDC_CONFIRM_TEXT, reinterpret_cast<const char *>(lParam));
      SetFocus(GetDlgItem(dialog, IDNO));
      return FALSE;
    case WM_COMMAND:
      // Only Yes and No end the question: Escape (IDCANCEL) leaves it open.
      switch (LOWORD(wParam)) {
        case IDYES: EndDialog(dialog, 1); return TRUE;
        case IDNO: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

// A box that cannot be shown (DialogBoxParamA gives −1) counts as No.
bool askYesNo(HWND owner, const char *question) {
  return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_CONFIRM), owner, confirmDialogProc,
                         reinterpret_cast<LPARAM>(question)) == 1;
}
