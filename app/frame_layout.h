// The frame's size: a row's character cells plus the scroll bar, and a whole number of rows.
#ifndef OXBYTE_APP_FRAME_LAYOUT_H
#define OXBYTE_APP_FRAME_LAYOUT_H

#include <windows.h>

// The toolbar and the status bar, created with the frame.
void createFrameControls(HWND frame);
// Moves the frame (same top-left corner) to the width of a row and the height of visibleRows rows.
void snapFrameSize(HWND frame);
// Sizes the toolbar and the status bar to the frame and splits the status bar into its parts.
void layoutFrameControls(HWND frame);
// WM_SIZE: recounts the rows that fit, snaps the frame to them and places the status bar and the view.
void resizeFrame(HWND frame);

// The view's place: the client area between the toolbar and the status bar, less a pixel row at each.
RECT viewRect(HWND frame);

// Rows of lineHeight pixels that fit a client area, never fewer than one.
int rowsThatFit(int clientHeight, int toolbarHeight, int statusHeight, int lineHeight);

#endif
