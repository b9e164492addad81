// The Yes/No question box and the About box.
#ifndef OXBYTE_DIALOGS_CONFIRM_H
#define OXBYTE_DIALOGS_CONFIRM_H

#include <windows.h>

// Dialog IDD_CONFIRM: the question comes as the creation parameter; ends with 1 for Yes, 0 for No.
INT_PTR CALLBACK confirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Dialog IDD_ABOUT: closes with OK, Enter or Escape.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Asks `question` in the confirmation box owned by `owner`; true only for the answer Yes.
bool askYesNo(HWND owner, const char *question);

#endif
