// The document commands: Open (the frame's half and the view's half), Save, Undo all and Close.
#ifndef OXBYTE_DOCUMENT_COMMANDS_H
#define OXBYTE_DOCUMENT_COMMANDS_H

#include <windows.h>

// The frame's half of Open: closes the current view, creates a new one and hands it the command.
void beginOpen(HWND frame, WPARAM wParam, LPARAM lParam);
// The view's half of Open: names, checks and loads the file, or destroys the view.
void openDocument(HWND view);
void saveDocument(HWND view);
void revertDocument(HWND view);
// WM_CLOSE at the view: offers to save unsaved changes and frees the document.
void closeDocument(HWND view);

#endif
