// The frame's caption, which names the view's document.
#ifndef OXBYTE_VIEW_CAPTION_H
#define OXBYTE_VIEW_CAPTION_H

#include <windows.h>

// Filled once at start-up from the C library's locale: no decimals, groups of three.
extern NUMBERFMTA numberFormat;

void initNumberFormat();
// "Oxbyte - title [1,234 字节]", or "Oxbyte" alone when size is 0.
void setTitle(HWND frame, const char *title, int size);

#endif
