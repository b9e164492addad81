// The Find dialog and the view's Find and Find next commands.
#ifndef OXBYTE_DIALOGS_FIND_H
#define OXBYTE_DIALOGS_FIND_H

#include <windows.h>

INT_PTR CALLBACK findDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void findCommand(HWND view);
void findNextCommand(HWND view);

#endif
