// Moving the cursor and the visible rows. The view moves in whole rows of 16 bytes; the cursor always
// rests on a byte of the document; the scroll position is the first visible row.
#include "view/navigate.h"

#include <algorithm>

#include "document/editor_state.h"
#include "view/cursor.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

void drawMovedCursor(HWND view) {
  editor.lowNibble = false;
  drawCursor(view, true, true);
}

// Asks the view's own scroll handler for a scroll, then makes sure the cursor is still inside the view
// and the document whatever the scroll did.
void scrollBy(HWND view, WPARAM code) {
  SendMessageA(view, WM_VSCROLL, code, 0);
  keepCursorInside();
}

bool ctrlHeld() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

LRESULT onKeyDown(HWND view, WPARAM key) {
  if (editor.fileSize == 0) return 0;
  const int32_t last = editor.fileSize - 1;
  switch (key) {
    case VK_PRIOR: scrollBy(view, SB_PAGEUP); return 0;
    case VK_NEXT: scrollBy(view, SB_PAGEDOWN); return 0;
    case VK_END:
      if (ctrlHeld()) {
        scrollBy(view, SB_BOTTOM);
      } else {
        editor.cursorCol = BYTES_PER_ROW - 1;
        int32_t rowStart = cellOffset(editor.topOffset, editor.cursorRow, 0);
        if (rowStart + BYTES_PER_ROW - 1 > last) editor.cursorCol = last - rowStart;
      }
      break;
    case VK_HOME:
      if (ctrlHeld()) {
        scrollBy(view, SB_TOP);
      } else {
        editor.cursorCol = 0;
      }
      break;
    case VK_LEFT:
      if (editor.cursorCol > 0) --editor.cursorCol;
      break;
    case VK_UP:
      if (editor.cursorRow > 0) {
        --editor.cursorRow;
        break;
      }
      if (editor.topOffset == 0) return 0;
      editor.cursorRow = -1;  // the line-up scroll brings it back to row 0, on the byte a row earlier
      scrollBy(view, SB_LINEUP);
      return 0;
    case VK_RIGHT:
      if (cursorOffset() + 1 <= last && ++editor.cursorCol == BYTES_PER_ROW) {
        editor.cursorCol = 0;
        if (++editor.cursorRow == editor.visibleRows) scrollBy(view, SB_LINEDOWN);
      }
      break;
    case VK_DOWN:
      if (cursorOffset() + BYTES_PER_ROW > last) break;
      if (++editor.cursorRow == editor.visibleRows) {
        scrollBy(view, SB_LINEDOWN);
        return 0;
      }
      break;
    default: return 0;
  }
  drawMovedCursor(view);
  return 0;
}

LRESULT onVScroll(HWND view, WPARAM wParam) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(view, SB_VERT, &si);
  const int32_t old = si.nPos, last = editor.fileSize - 1;
  const int32_t rowBefore = editor.cursorRow, columnBefore = editor.cursorCol;
  int32_t pos = old;
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      if (old > si.nMin) {
        if (editor.cursorRow < editor.visibleRows - 1) ++editor.cursorRow;
        pos = old - 1;
      }
      break;
    case SB_LINEDOWN:
      if (old < si.nMax - editor.visibleRows + 1) {
        if (editor.cursorRow > 0) --editor.cursorRow;
        pos = old + 1;
      }
      break;
    case SB_PAGEUP: pos = old - int32_t(si.nPage); break;
    case SB_PAGEDOWN: pos = old + int32_t(si.nPage); break;
    case SB_THUMBTRACK: pos = si.nTrackPos; break;
    case SB_TOP:
      editor.cursorRow = 0;
      editor.cursorCol = 0;
      pos = si.nMin;
      break;
    case SB_BOTTOM:
      editor.cursorRow = std::min(editor.visibleRows - 1, std::max(last, 0) / BYTES_PER_ROW);
      editor.cursorCol = std::max(last, 0) % BYTES_PER_ROW;
      pos = si.nMax;
      break;
    default: break;
  }
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  GetScrollInfo(view, SB_VERT, &si);
  // The top row follows the position at once, so a key handled before the next paint sees it.
  editor.topOffset = BYTES_PER_ROW * si.nPos;
  if (si.nPos == old) {
    // Top and Bottom move the cursor even when the rows cannot move (the document fits the view, or is
    // already there): it is drawn on its new byte at once, and the status bar follows.
    if (editor.fileSize > 0 && (editor.cursorRow != rowBefore || editor.cursorCol != columnBefore))
      drawMovedCursor(view);
    return 1;
  }
  editor.lowNibble = false;
  repaintView(view);
  return 0;
}

LRESULT onLeftButtonDown(HWND view, LPARAM lParam) {
  // Client coordinates are signed 16-bit halves (windowsx.h's GET_X_LPARAM and GET_Y_LPARAM).
  int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
  CellHit hit = hitTestCell(x, y, editor.charWidth, editor.lineHeight, editor.visibleRows, editor.topOffset,
                            editor.fileSize);
  if (!hit.hit) return 0;
  editor.cursorRow = hit.row;
  editor.cursorCol = hit.column;
  editor.asciiPane = hit.asciiPane;
  editor.caretOn = true;
  drawMovedCursor(view);
  return 0;
}

LRESULT onMouseWheel(HWND view, WPARAM wParam) {
  if (editor.fileSize == 0) return 0;
  static int pending = 0;  // a fine wheel sends less than a notch at a time
  pending += GET_WHEEL_DELTA_WPARAM(wParam);
  for (; pending >= WHEEL_DELTA; pending -= WHEEL_DELTA)
    for (int i = 0; i < 3; ++i) scrollBy(view, SB_LINEUP);
  for (; pending <= -WHEEL_DELTA; pending += WHEEL_DELTA)
    for (int i = 0; i < 3; ++i) scrollBy(view, SB_LINEDOWN);
  return 0;
}

void revealOffset(HWND view, int32_t target) {
  editor.topOffset = revealTopOffset(editor.topOffset, target, editor.visibleRows, editor.fileSize);
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, editor.topOffset / BYTES_PER_ROW, 0};
  SetScrollInfo(view, SB_VERT, &si, TRUE);
  repaintView(view);
  editor.cursorRow = (target - editor.topOffset) / BYTES_PER_ROW;
  editor.cursorCol = (target - editor.topOffset) % BYTES_PER_ROW;
  editor.asciiPane = editor.findAscii;
  editor.lowNibble = false;
  drawCursor(view, editor.caretOn, true);
}
