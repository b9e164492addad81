// The document commands. Each step greys or enables exactly the menu items and toolbar buttons of its
// row in the program's table of enable states.
#include "view/commands.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dialogs/confirm.h"
#include "dialogs/warning.h"
#include "document/editor_state.h"
#include "document/file_access.h"
#include "document/path.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/caption.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

void menuItem(int command, bool enabled) { EnableMenuItem(editor.mainMenu, command, enabled ? MF_ENABLED : MF_GRAYED); }

void button(int command, bool enabled) {
  SendMessageA(editor.viewToolbarWnd, TB_SETSTATE, command, enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
}

void freeDocument() {
  std::free(editor.fileData);
  std::free(editor.modifiedMask);
  editor.fileData = editor.modifiedMask = nullptr;
  editor.fileSize = 0;
}

// A cancelled or refused Open: no document remains.
void abandonOpen(HWND view) {
  menuItem(IDM_FIND, false);
  menuItem(IDM_GOTO, false);
  button(IDM_FIND, false);
  button(IDM_GOTO, false);
  DestroyWindow(view);
}

void refuseOpen(HWND view, int32_t measured) {
  editor.fileSize = 0;
  showWarning(view, measured > MAX_FILE_SIZE ? TEXT_TOO_LARGE : TEXT_CANNOT_READ, editor.fileTitle);
  editor.filePath[0] = editor.fileTitle[0] = 0;
  abandonOpen(view);
}

bool nameFile(HWND view) {
  if (editor.pendingPath[0]) {
    std::snprintf(editor.filePath, sizeof editor.filePath, "%s", editor.pendingPath);
    std::snprintf(editor.fileTitle, sizeof editor.fileTitle, "%s", fileNameOf(editor.pendingPath));
    editor.pendingPath[0] = 0;
    return true;
  }
  return chooseFile(view, editor.filePath, editor.fileTitle) != 0;
}

// Both buffers, or neither: an empty document still gets (empty) buffers.
bool allocateDocument(int32_t size) {
  editor.fileData = static_cast<uint8_t *>(std::malloc(size_t(size) + 1));
  editor.modifiedMask = static_cast<uint8_t *>(std::calloc(size_t(size) + 1, 1));
  if (editor.fileData && editor.modifiedMask) return true;
  freeDocument();
  return false;
}

void clearMarks() { std::memset(editor.modifiedMask, 0, size_t(editor.fileSize)); }

}  // namespace

void showChanged(bool changed) {
  editor.dirty = changed;
  menuItem(IDM_REVERT, changed);
  menuItem(IDM_SAVE, changed);
  button(IDM_REVERT, changed);
  button(IDM_SAVE, changed);
}

void openDocument(HWND view) {
  if (!nameFile(view)) {
    abandonOpen(view);
    return;
  }
  editor.fileSize = MAX_FILE_SIZE;
  HANDLE file;
  if (!openForRead(editor.filePath, editor.fileSize, file)) {
    refuseOpen(view, editor.fileSize);
    return;
  }
  // A file whose buffers cannot be had, or that cannot be read whole, is refused like an unreadable one.
  int32_t size = editor.fileSize;
  editor.fileSize = 0;
  if (!allocateDocument(size)) {
    CloseHandle(file);
    refuseOpen(view, 0);
    return;
  }
  if (!readWholeFile(file, editor.fileData, size)) {
    freeDocument();
    refuseOpen(view, 0);
    return;
  }
  editor.fileSize = size;
  editor.topOffset = editor.drawnRow = editor.drawnCol = 0;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, (size - 1) / BYTES_PER_ROW, UINT(editor.visibleRows), 0, 0};
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  editor.cursorCol = editor.cursorRow = 0;
  editor.asciiPane = editor.lowNibble = false;
  repaintView(view);
  setTitle(editor.frameWnd, editor.fileTitle, editor.fileSize);
  editor.dirty = false;
  menuItem(IDM_REVERT, false);
  menuItem(IDM_FIND, true);
  menuItem(IDM_GOTO, true);
  button(IDM_REVERT, false);
  button(IDM_FIND, true);
  button(IDM_GOTO, true);
}

// A save that fails keeps the document changed: its marks stay red and Save stays available.
void saveDocument(HWND view) {
  if (!editor.filePath[0]) return;
  if (!writeWholeFile(editor.filePath, editor.fileData, editor.fileSize)) {
    showWarning(view, TEXT_CANNOT_WRITE, editor.fileTitle);
    return;
  }
  clearMarks();
  showChanged(false);
  repaintView(view);
}

// The file is read again into a buffer of its own first: if it can no longer be read whole at its
// loaded size, the document stays exactly as it was.
void revertDocument(HWND view) {
  if (!askYesNo(view, TEXT_REVERT_QUESTION)) return;
  int32_t size = editor.fileSize;
  HANDLE file;
  uint8_t *fresh = nullptr;
  bool ok = openForRead(editor.filePath, size, file);
  if (ok && size != editor.fileSize) {
    CloseHandle(file);
    ok = false;
  }
  if (ok) {
    fresh = static_cast<uint8_t *>(std::malloc(size_t(size) + 1));
    ok = fresh ? readWholeFile(file, fresh, size) : (CloseHandle(file), false);
  }
  if (!ok) {
    std::free(fresh);
    showWarning(view, TEXT_CANNOT_READ, editor.fileTitle);
    return;
  }
  std::memcpy(editor.fileData, fresh, size_t(size));
  std::free(fresh);
  clearMarks();
  editor.lowNibble = false;
  showChanged(false);
  repaintView(view);
}

// Unsaved changes are never dropped silently: while a save fails, the question comes again.
void closeDocument(HWND view) {
  while (editor.dirty) {
    char question[sizeof TEXT_SAVE_QUESTION + sizeof editor.fileTitle];
    std::snprintf(question, sizeof question, TEXT_SAVE_QUESTION, editor.fileTitle);
    if (!askYesNo(view, question)) break;
    SendMessageA(view, WM_COMMAND, IDM_SAVE, 0);
  }
  freeDocument();
  setTitle(editor.frameWnd, "", 0);
  button(IDM_REVERT, false);
  button(IDM_SAVE, false);
  button(IDM_FIND, false);
}
