// The view's creation, resize and painting: every visible row in full, then the cursor cell.
#include "view/paint.h"

#include <cstdio>

#include "document/byte_text.h"
#include "document/editor_state.h"
#include "view/cursor.h"
#include "view/font_cell.h"
#include "view/layout.h"
#include "view/palette.h"

void createView(HWND view) {
  FontCell cell = measureFixedFont(view);
  editor.charWidth = cell.width;
  editor.lineHeight = cell.height;
  editor.frameWnd = GetParent(view);
  editor.mainMenu = GetMenu(editor.frameWnd);
  editor.viewToolbarWnd = ChildWindowFromPoint(editor.frameWnd, POINT{0, 0});
}

void repaintView(HWND view) {
  RECT client;
  GetClientRect(view, &client);
  InvalidateRect(view, &client, TRUE);
}

void followScrollPosition(HWND view) {
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
  if (GetScrollInfo(view, SB_VERT, &si)) editor.topOffset = BYTES_PER_ROW * si.nPos;
}

void keepCursorInside() {
  if (editor.cursorRow >= editor.visibleRows) editor.cursorRow = editor.visibleRows - 1;
  if (editor.cursorRow < 0) editor.cursorRow = 0;
  if (editor.fileSize == 0) return;
  int32_t last = editor.fileSize - 1;
  if (cursorOffset() <= last) return;
  // Past the end: onto the last byte, on its own row when the cursor's row holds no byte at all.
  editor.cursorCol = editor.fileSize % BYTES_PER_ROW - 1;
  if (editor.cursorCol < 0 || cursorOffset() > last) {
    editor.cursorRow = (last - editor.topOffset) / BYTES_PER_ROW;
    editor.cursorCol = (last - editor.topOffset) % BYTES_PER_ROW;
  }
}

// A smaller page may move the scroll position (it is held within max − page + 1), so the top row and the
// cursor follow it here rather than at the next paint. The range goes with the page because a page alone
// never shows a scroll bar hidden while every row fitted.
void resizeView(HWND view) {
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
  GetScrollInfo(view, SB_VERT, &si);
  si.nPage = UINT(editor.visibleRows);
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  if (editor.cursorRow >= editor.visibleRows) editor.cursorRow = editor.visibleRows - 1;
  followScrollPosition(view);
  keepCursorInside();
  editor.lowNibble = false;
  repaintView(view);
}

namespace {

void drawRow(HDC hdc, int32_t row, int32_t rowOffset) {
  const int cw = editor.charWidth, y = row * editor.lineHeight;
  char label[16];
  std::snprintf(label, sizeof label, "%06X | ", unsigned(rowOffset));
  TextOutA(hdc, OFFSET_CELL * cw, y, label, 8);
  TextOutA(hdc, RIGHT_BAR_CELL * cw, y, "| ", 2);
  for (int j = 0; j < BYTES_PER_ROW && rowOffset + j < editor.fileSize; ++j) {
    uint8_t b = editor.fileData[rowOffset + j];
    bool modified = editor.modifiedMask[rowOffset + j] != 0;
    if (modified) SetTextColor(hdc, CHANGED_INK);
    TextOutA(hdc, hexCell(j) * cw, y, hexDigits(b).text, 2);
    char character = displayChar(b);
    TextOutA(hdc, charCell(j) * cw, y, &character, 1);
    if (modified) SetTextColor(hdc, INK);
  }
}

}  // namespace

void paintView(HWND view) {
  followScrollPosition(view);
  // A scroll may have put the file's last, short row under the cursor: the cursor moves onto its last byte.
  keepCursorInside();
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(view, &ps);
  selectFixedFont(hdc);
  for (int32_t r = 0; r < editor.visibleRows && cellOffset(editor.topOffset, r, 0) < editor.fileSize; ++r)
    drawRow(hdc, r, cellOffset(editor.topOffset, r, 0));
  EndPaint(view, &ps);
  drawCursor(view, editor.caretOn, false);
}
