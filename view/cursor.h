// The cursor cell pair, its blink, and the position shown in the status bar.
#ifndef OXBYTE_VIEW_CURSOR_H
#define OXBYTE_VIEW_CURSOR_H

#include <windows.h>

#include <cstdint>

// The document offset of the byte under the cursor.
int32_t cursorOffset();

// Draws the cursor where the editor state puts it, in both panes — inverted in the cursor's pane in the
// on phase, light grey in the other — after drawing the pair drawn last back in normal colours when asked,
// then writes the position and the typing mode into the status bar.
void drawCursor(HWND view, bool phaseOn, bool restorePrevious);

// The 500 ms tick: flips the blink phase and redraws the cursor.
void blinkCursor(HWND view);

// The status bar texts for a cursor at `offset`.
void positionText(char (&text)[64], int32_t offset);
const char *modeText(bool asciiPane, bool lowNibble);

#endif
