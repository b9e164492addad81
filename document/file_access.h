// How the document reaches the file system: the Open dialog, reading and writing whole files.
#ifndef OXBYTE_DOCUMENT_FILE_ACCESS_H
#define OXBYTE_DOCUMENT_FILE_ACCESS_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

// The one Open dialog record; the filter chosen last is offered again next time.
extern OPENFILENAMEA openFileName;

void initOpenDialog(HWND owner);
// Runs the Open dialog; `path` (260 bytes) holds the name offered on entry and the chosen path on return,
// `title` receives the file name without its folder. Nonzero when a file was chosen.
BOOL chooseFile(HWND owner, char *path, char *title);
// Opens a regular file for reading. `size` holds the largest acceptable size on entry and the file's size
// on return when it could be measured; returns 1 when the file is open and within the limit (the handle
// then belongs to the caller until readWholeFile), else 0 with the file closed.
int openForRead(const char *path, int32_t &size, HANDLE &file);
// Reads exactly `count` bytes and closes the file; 1 only when every byte arrived.
int readWholeFile(HANDLE file, uint8_t *buffer, int32_t count);
// Writes the whole document over the file at `path` so that a failure never leaves it half-written; 1 only
// when every byte reached the file.
int writeWholeFile(const char *path, uint8_t *&data, int32_t &size);

#endif
