// The Find dialog: what to look for, as characters or as a hexadecimal byte list.
#ifndef OXBYTE_DIALOGS_FIND_H
#define OXBYTE_DIALOGS_FIND_H

#include <windows.h>

INT_PTR CALLBACK findDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the Find dialog owned by `owner`. True when it closed with OK on a text to look for, which is then
// in editor.findText in the form editor.findAscii says.
bool askFindText(HWND owner);

#endif
