// user32: the edit control's look — the text line, its scrolling, the selection and the blinking caret.
#include <string_view>

#include "gdi32/dc.h"
#include "gdi32/font.h"
#include "gdi32/paint.h"
#include "user32/edit.h"

namespace win32 {
namespace {

constexpr int kMargin = 2;  // blank pixels at the left and right of the text

int widthOf(std::string_view text, size_t end) { return font::textWidth(text.substr(0, end)); }

void redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

}  // namespace

// The single line sits in the middle of the box, between small margins.
RECT editTextRect(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  int top = std::max(0, (client.bottom - font::kHeight) / 2);
  return {client.left + kMargin, top, std::max(client.left + kMargin, client.right - kMargin),
          std::min(client.bottom, top + font::kHeight)};
}

// The boundary nearest to x: a click on the right half of a character goes after it.
size_t positionAtX(HWND hwnd, int x) {
  EditState *state = editState(hwnd);
  if (!state) return 0;
  std::string_view text = editText(hwnd);
  int target = x - editTextRect(hwnd).left + state->scroll, left = 0;
  for (size_t i = 0; i < text.size();) {
    size_t next = i;
    int width = font::glyph(font::nextCodePoint(text, next)).width;
    if (target < left + width / 2) return i;
    left += width;
    i = next;
  }
  return text.size();
}

// Without ES_AUTOHSCROLL the text never scrolls. With it, a caret that leaves the box scrolls the text a
// third of the box further, but never so far that blank space opens after the end of the text.
void scrollCaretIntoView(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state) return;
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & ES_AUTOHSCROLL)) {
    state->scroll = 0;
    return;
  }
  RECT line = editTextRect(hwnd);
  int width = line.right - line.left;
  if (width <= 0) return;
  std::string_view text = editText(hwnd);
  int x = widthOf(text, state->caret);
  if (x < state->scroll) state->scroll = std::max(0, x - width / 3);
  if (x >= state->scroll + width) state->scroll = x - width + 1 + width / 3;
  state->scroll = std::max(0, std::min(state->scroll, font::textWidth(text) + 1 - width));
}

void showCaretNow(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state || !state->focused) return;
  state->caretShown = true;
  SetTimer(hwnd, kCaretTimer, GetCaretBlinkTime(), nullptr);
}

void stopCaret(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state) return;
  state->caretShown = false;
  KillTimer(hwnd, kCaretTimer);
}

void blinkCaret(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state || !state->focused) return;
  state->caretShown = !state->caretShown;
  redraw(hwnd);
}

// The box asks its parent for colours as Windows edit controls do: WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC
// when it is read-only or disabled. The selection shows only while the box has the focus (or with
// ES_NOHIDESEL); the caret is an inverted line, so it shows on the selection too.
void paintEdit(HWND hwnd, HDC hdc) {
  EditState *state = editState(hwnd);
  DeviceContext *dc = deviceContext(hdc);
  if (!state || !dc) return;
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  bool enabled = IsWindowEnabled(hwnd);
  UINT colorMessage = (!enabled || (style & ES_READONLY)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  HBRUSH brush = controlBrush(hwnd, hdc, colorMessage);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(hdc, &client, brush);
  RECT line = editTextRect(hwnd);
  DeviceContext clipped = *dc;
  clipped.clip.intersect(rectOffset(line, dc->origin.x, dc->origin.y));
  std::string_view text = editText(hwnd);
  COLORREF normal = enabled ? dc->textColor : GetSysColor(COLOR_GRAYTEXT);
  size_t begin = state->selectionBegin(), end = state->selectionEnd();
  bool showSelection = begin != end && (state->focused || (style & ES_NOHIDESEL));
  int x = line.left - state->scroll;
  if (!showSelection) {
    paint::text(clipped, x, line.top, text, normal, nullptr);
  } else {
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    x += paint::text(clipped, x, line.top, text.substr(0, begin), normal, nullptr);
    x += paint::text(clipped, x, line.top, text.substr(begin, end - begin), GetSysColor(COLOR_HIGHLIGHTTEXT),
                     &highlight);
    paint::text(clipped, x, line.top, text.substr(end), normal, nullptr);
  }
  if (state->focused && state->caretShown) {
    int caretX = line.left - state->scroll + widthOf(text, state->caret);
    paint::invert(clipped, RECT{caretX, line.top, caretX + 1, line.bottom});
  }
}

}  // namespace win32
