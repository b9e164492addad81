// The document commands the view carries out: Open (once the frame has made the view), Save, Undo all
// and Close.
#ifndef OXBYTE_VIEW_COMMANDS_H
#define OXBYTE_VIEW_COMMANDS_H

#include <windows.h>

// Names, checks and loads the file, or destroys the view.
void openDocument(HWND view);
void saveDocument(HWND view);
void revertDocument(HWND view);
// Marks the document changed or unchanged: Save and Undo all are offered exactly while it has changes.
void showChanged(bool changed);
// WM_CLOSE at the view: offers to save unsaved changes and frees the document.
void closeDocument(HWND view);

#endif
