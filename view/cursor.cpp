// The cursor cell pair, its blink, and the position shown in the status bar.
#include "view/cursor.h"

#include <commctrl.h>

#include <cstdio>

#include "app/texts.h"
#include "document/editor_state.h"
#include "view/font_cell.h"
#include "view/layout.h"

namespace {

const COLORREF BLACK = RGB(0, 0, 0), WHITE = RGB(255, 255, 255), RED = RGB(255, 0, 0), CYAN = RGB(0, 255, 255),
               LIGHT_GREY = RGB(192, 192, 192);

struct CellColors {
  COLORREF background, text;
};

// The cell in the cursor's pane is inverted in the on phase and normal in the off phase; its twin in the
// other pane stays light grey.
CellColors cursorColors(bool cursorPane, bool phaseOn, bool modified) {
  if (!cursorPane) return {LIGHT_GREY, modified ? RED : BLACK};
  if (phaseOn) return {BLACK, modified ? CYAN : WHITE};
  return {WHITE, modified ? RED : BLACK};
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

// A pair is only ever drawn for a byte of the document: the cursor never stands outside it.
void drawCursorCell(HWND view, int32_t column, int32_t row, int32_t topOffset, bool asciiPane, bool phaseOn,
                    bool lowNibble, const uint8_t *data, const uint8_t *mask, bool restorePrevious) {
  HDC hdc = GetDC(view);
  FontCell cell = selectFixedFont(hdc);
  int cw = cell.width, ch = cell.height;
  int32_t previous = topOffset + 16 * editor.drawnRow + editor.drawnCol;
  if (restorePrevious && previous >= 0 && previous < editor.fileSize) {
    CellColors normal{WHITE, mask[previous] ? RED : BLACK};
    drawPair(hdc, cw, ch, editor.drawnCol, editor.drawnRow, data[previous], normal, normal);
  }
  int32_t offset = topOffset + 16 * row + column;
  bool inside = offset >= 0 && offset < editor.fileSize;
  if (inside)
    drawPair(hdc, cw, ch, column, row, data[offset], cursorColors(!asciiPane, phaseOn, mask[offset]),
             cursorColors(asciiPane, phaseOn, mask[offset]));
  ReleaseDC(view, hdc);
  editor.drawnCol = column;
  editor.drawnRow = row;
  if (!inside) return;
  HWND status = statusBarOf(view);
  char position[64];
  positionText(position, offset);
  SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(position));
  SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(modeText(asciiPane, lowNibble)));
}

void blinkCursor(HWND view) {
  if (editor.fileSize == 0) return;
  editor.caretOn = !editor.caretOn;
  drawCursorCell(view, editor.cursorCol, editor.cursorRow, editor.topOffset, editor.asciiPane, editor.caretOn,
                 editor.lowNibble, editor.fileData, editor.modifiedMask, false);
}
