// The one record of the document, the cursor, the view metrics, the search text and the window handles.
#ifndef OXBYTE_DOCUMENT_EDITOR_STATE_H
#define OXBYTE_DOCUMENT_EDITOR_STATE_H

#include <windows.h>

#include <cstdint>

// The largest document: every offset fits the six hexadecimal digits of the offset column.
constexpr int32_t MAX_FILE_SIZE = 0xFFFFFF;

struct EditorState {
  // Document
  uint8_t *fileData;      // exactly fileSize bytes
  uint8_t *modifiedMask;  // one flag byte per byte of fileData; nonzero = overwritten since load or save
  int32_t fileSize;       // 0 = no document
  bool dirty;
  char filePath[260];
  char fileTitle[260];
  char pendingPath[256];  // a path from the command line, used by the next Open instead of asking

  // Cursor and view
  int32_t topOffset;  // file offset of the first visible row = vertical scroll position × 16
  int32_t visibleRows;
  int32_t cursorRow;  // 0 ≤ cursorRow < visibleRows
  int32_t cursorCol;  // 0..15
  bool asciiPane;     // the cursor is in the character pane
  bool lowNibble;     // the next digit typed replaces the low nibble
  bool caretOn;       // the blink phase
  int32_t drawnRow, drawnCol;

  // Text metrics of SYSTEM_FIXED_FONT, measured by the view and again by the frame
  int32_t charWidth, lineHeight;
  int32_t frameCharWidth, frameLineHeight;

  // Search
  char findText[256];
  bool findAscii;  // findText holds characters (else a hexadecimal byte list)

  // Window references
  HWND frameWnd, viewWnd, activeView, toolbarWnd, statusWnd;
  HMENU mainMenu;
  HINSTANCE appInstance;
  HWND viewToolbarWnd;
  const char *statusText;
};

extern EditorState editor;

// Every field zero except visibleRows (24), caretOn (on) and the status bar's description.
void resetEditorState();

#endif
