// Overwriting bytes in place. The document never grows or shrinks; every changed byte is marked so it is
// drawn in red until the next save or revert.
#include "view/edit.h"

#include "document/byte_text.h"
#include "document/editor_state.h"
#include "view/commands.h"
#include "view/cursor.h"

namespace {

void redrawCursor(HWND view) { drawCursor(view, editor.caretOn, false); }

void advance(HWND view) { SendMessageA(view, WM_KEYDOWN, VK_RIGHT, 0); }

}  // namespace

LRESULT onChar(HWND view, WPARAM code) {
  if (editor.fileSize == 0) return 0;
  if (code == '\t') {
    editor.asciiPane = !editor.asciiPane;
    editor.lowNibble = false;
    redrawCursor(view);
    return 0;
  }
  // Only a byte of the document is ever written.
  const int32_t offset = cursorOffset();
  if (offset < 0 || offset >= editor.fileSize) return 0;
  if (editor.asciiPane) {
    if (code < 0x20 || code > 0x7E) return 0;
    editor.fileData[offset] = uint8_t(code);
    editor.modifiedMask[offset] = 1;
    advance(view);
  } else {
    int value = hexDigitValue(unsigned(code));
    if (value < 0) return 0;
    uint8_t &b = editor.fileData[offset];
    b = editor.lowNibble ? uint8_t((b & 0xF0) | value) : uint8_t((value << 4) | (b & 0x0F));
    editor.modifiedMask[offset] = 1;
    editor.lowNibble = !editor.lowNibble;
    redrawCursor(view);
    if (!editor.lowNibble) advance(view);
  }
  // After every accepted character, whether or not the document was already changed.
  showChanged(true);
  return 0;
}
