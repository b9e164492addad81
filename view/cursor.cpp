// The cursor cell pair, its blink, and the position shown in the status bar.
#include "view/cursor.h"

#include <commctrl.h>

#include <cstdio>

#include "document/byte_text.h"
#include "document/editor_state.h"
#include "resources/texts.h"
#include "view/font_cell.h"
#include "view/layout.h"
#include "view/palette.h"

namespace {

struct CellColors {
  COLORREF background, text;
};

// The cell in the cursor's pane is inverted in the on phase and normal in the off phase; its twin in the
// other pane stays light grey.
CellColors cursorColors(bool cursorPane, bool phaseOn, bool modified) {
  if (!cursorPane) return {TWIN_PAPER, modified ? CHANGED_INK : INK};
  if (phaseOn) return {INK, modified ? CHANGED_INK_INVERTED : PAPER};
  return {PAPER, modified ? CHANGED_INK : INK};
}

void drawPair(HDC hdc, int cw, int ch, int32_t column, int32_t row, uint8_t byte, CellColors hex, CellColors chr) {
  char character = displayChar(byte);
  SetBkColor(hdc, hex.background);
  SetTextColor(hdc, hex.text);
  TextOutA(hdc, hexCell(column) * cw, row * ch, hexDigits(byte).text, 2);
  SetBkColor(hdc, chr.background);
  SetTextColor(hdc, chr.text);
  TextOutA(hdc, charCell(column) * cw, row * ch, &character, 1);
}

HWND statusBarOf(HWND view) {
  HWND frame = GetParent(view);
  RECT client;
  GetClientRect(frame, &client);
  return ChildWindowFromPoint(frame, POINT{0, client.bottom - 1});
}

}  // namespace

void positionText(char (&text)[64], int32_t offset) { std::snprintf(text, sizeof text, TEXT_POSITION_FORMAT, offset, offset); }

const char *modeText(bool asciiPane, bool lowNibble) {
  if (asciiPane) return "  ASCII";
  return lowNibble ? " HEX-LO" : " HEX-HI";
}

int32_t cursorOffset() { return cellOffset(editor.topOffset, editor.cursorRow, editor.cursorCol); }

// A pair is only ever drawn for a byte of the document: the cursor never stands outside it.
void drawCursor(HWND view, bool phaseOn, bool restorePrevious) {
  HDC hdc = GetDC(view);
  FontCell cell = selectFixedFont(hdc);
  int cw = cell.width, ch = cell.height;
  const uint8_t *data = editor.fileData, *mask = editor.modifiedMask;
  int32_t previous = cellOffset(editor.topOffset, editor.drawnRow, editor.drawnCol);
  if (restorePrevious && previous >= 0 && previous < editor.fileSize) {
    CellColors normal{PAPER, mask[previous] ? CHANGED_INK : INK};
    drawPair(hdc, cw, ch, editor.drawnCol, editor.drawnRow, data[previous], normal, normal);
  }
  const int32_t column = editor.cursorCol, row = editor.cursorRow, offset = cursorOffset();
  const bool inside = offset >= 0 && offset < editor.fileSize;
  if (inside)
    drawPair(hdc, cw, ch, column, row, data[offset], cursorColors(!editor.asciiPane, phaseOn, mask[offset]),
             cursorColors(editor.asciiPane, phaseOn, mask[offset]));
  ReleaseDC(view, hdc);
  editor.drawnCol = column;
  editor.drawnRow = row;
  if (!inside) return;
  HWND status = statusBarOf(view);
  char position[64];
  positionText(position, offset);
  SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(position));
  SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(modeText(editor.asciiPane, editor.lowNibble)));
}

void blinkCursor(HWND view) {
  if (editor.fileSize == 0) return;
  editor.caretOn = !editor.caretOn;
  drawCursor(view, editor.caretOn, false);
}
