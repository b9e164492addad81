// The frame's caption and the warning message boxes.
#ifndef OXBYTE_APP_TITLE_H
#define OXBYTE_APP_TITLE_H

#include <windows.h>

// Filled once at start-up from the C library's locale: no decimals, groups of three.
extern NUMBERFMTA numberFormat;

void initNumberFormat();
// "Oxbyte - title [1,234 字节]", or "Oxbyte" alone when size is 0.
void setTitle(HWND frame, const char *title, int size);
// A warning box captioned "Oxbyte" with `format` filled by `argument` ("(无标题)" when it is empty); an
// argument too long for the box is shortened in the middle with "…".
void showWarning(HWND owner, const char *format, const char *argument);

#endif
