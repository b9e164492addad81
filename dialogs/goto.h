// The Go-to dialog: the offset to move to.
#ifndef OXBYTE_DIALOGS_GOTO_H
#define OXBYTE_DIALOGS_GOTO_H

#include <windows.h>

#include <cstdint>

INT_PTR CALLBACK gotoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the Go-to dialog owned by `owner`: the offset typed, or −1 when it was cancelled or not a number.
int32_t askOffset(HWND owner);

// Reads "1FH" (capital hexadecimal digits and a trailing H) or "010" (decimal; leading zeros change
// nothing). False for anything else, an empty text, and a number that does not fit in 32 bits; a number
// of 0x80000000 and above comes out negative, as a signed 32-bit offset.
bool parseOffset(const char *text, int32_t &offset);

#endif
