// The cursor cell pair, its blink, and the position shown in the status bar.
#ifndef OXBYTE_VIEW_CURSOR_H
#define OXBYTE_VIEW_CURSOR_H

#include <windows.h>

#include <cstdint>

// Draws the cursor at (column, row) in both panes — inverted in the cursor's pane in the on phase, light
// grey in the other — after drawing the previously drawn pair back in normal colours when asked, then
// writes the position and the typing mode into the status bar.
void drawCursorCell(HWND view, int32_t column, int32_t row, int32_t topOffset, bool asciiPane, bool phaseOn,
                    bool lowNibble, const uint8_t *data, const uint8_t *mask, bool restorePrevious);

// The 500 ms tick: flips the blink phase and redraws the cursor.
void blinkCursor(HWND view);

// The status bar texts for a cursor at `offset`.
void positionText(char (&text)[64], int32_t offset);
const char *modeText(bool asciiPane, bool lowNibble);

#endif
