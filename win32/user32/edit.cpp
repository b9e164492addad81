// user32: the single-line "Edit" class — its messages, text, selection, limit and notifications.
#include "user32/edit.h"

#include <cstring>

#include "gdi32/font.h"

namespace win32 {
namespace {

void redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

// WM_SETTEXT replaces everything, ignores the limit, and leaves the caret at the start.
LRESULT setText(HWND hwnd, EditState &state, const char *value) {
  Window *w = findWindow(hwnd, false);
  std::string text = value ? value : "";
  edit::applyCase(text, w->style);
  w->text = std::move(text);
  state.anchor = state.caret = 0;
  state.scroll = 0;
  state.modified = false;
  state.undo = {};
  state.typing.reset();
  redraw(hwnd);
  notifyParent(hwnd, EN_UPDATE);
  notifyParent(hwnd, EN_CHANGE);
  return TRUE;
}

// Copies the bytes that fit in the buffer: as GetWindowTextA's page says, a longer text is cut to the
// buffer, even inside a character (as Wine does too).
LRESULT getText(HWND hwnd, WPARAM size, LPARAM buffer) {
  char *out = reinterpret_cast<char *>(buffer);
  if (!out || size == 0) return 0;
  const std::string &text = editText(hwnd);
  size_t n = std::min(text.size(), size_t(size) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
  return LRESULT(n);
}

LRESULT getSelection(const EditState &state, WPARAM start, LPARAM end) {
  size_t begin = state.selectionBegin(), finish = state.selectionEnd();
  if (start) *reinterpret_cast<DWORD *>(start) = DWORD(begin);
  if (end) *reinterpret_cast<DWORD *>(end) = DWORD(finish);
  return begin > 0xFFFF || finish > 0xFFFF ? -1 : MAKELRESULT(begin, finish);
}

// A start of -1 removes the selection and leaves the caret where it is; an end of -1 (or any position past
// the end) means the end of the text.
void selectRange(HWND hwnd, EditState &state, WPARAM start, LPARAM end) {
  const std::string &text = editText(hwnd);
  if (int(start) == -1) {
    setSelection(hwnd, state.caret, state.caret);
    return;
  }
  setSelection(hwnd, edit::snapToBoundary(text, UINT(start)), edit::snapToBoundary(text, UINT(end)));
}

// A character's top-left corner in the client area: scrolled-out characters lie left of it, at negative
// x. A position inside a character is that character's; there is no character at the end of the text.
LRESULT positionOfCharacter(HWND hwnd, const EditState &state, WPARAM index) {
  const std::string &text = editText(hwnd);
  if (index >= text.size()) return -1;
  RECT line = editTextRect(hwnd);
  int x = line.left - state.scroll + font::textWidth(std::string_view(text).substr(0, edit::snapToBoundary(text, index)));
  return MAKELRESULT(WORD(short(x)), WORD(short(line.top)));
}

// The character boundary nearest to a client point, on the only line (0).
LRESULT characterAtPoint(HWND hwnd, LPARAM point) {
  return MAKELRESULT(WORD(positionAtX(hwnd, short(LOWORD(point)))), 0);
}

void setReadOnly(HWND hwnd, bool readOnly) {
  if (Window *w = findWindow(hwnd, false)) w->style = readOnly ? (w->style | ES_READONLY) : (w->style & ~ES_READONLY);
  redraw(hwnd);
}

void focusChanged(HWND hwnd, EditState &state, bool focused) {
  state.focused = focused;
  if (focused) {
    showCaretNow(hwnd);
  } else {
    stopCaret(hwnd);
    if (state.selecting && GetCapture() == hwnd) ReleaseCapture();
  }
  redraw(hwnd);
  notifyParent(hwnd, focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  paintEdit(hwnd, hdc);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    attachControlState<EditState>(hwnd);
    LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
    if (Window *w = findWindow(hwnd, false)) edit::applyCase(w->text, w->style);
    return result;
  }
  EditState *state = editState(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETTEXT: return setText(hwnd, *state, reinterpret_cast<const char *>(lParam));
    case WM_GETTEXT: return getText(hwnd, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(editText(hwnd).size());
    case EM_GETSEL: return getSelection(*state, wParam, lParam);
    case EM_SETSEL: selectRange(hwnd, *state, wParam, lParam); return 1;
    case EM_REPLACESEL:
      replaceSelection(hwnd, lParam ? reinterpret_cast<const char *>(lParam) : "", true, wParam != 0);
      return 1;
    case EM_LIMITTEXT:
      state->limit = wParam ? std::min(size_t(UINT(wParam)), kLargestEditLimit) : kLargestEditLimit;
      return 0;
    case EM_GETLIMITTEXT: return LRESULT(state->limit);
    case EM_POSFROMCHAR: return positionOfCharacter(hwnd, *state, wParam);
    case EM_CHARFROMPOS: return characterAtPoint(hwnd, lParam);
    case EM_GETMARGINS: {
      RECT client, line = editTextRect(hwnd);
      GetClientRect(hwnd, &client);
      return MAKELRESULT(line.left - client.left, client.right - line.right);
    }
    case EM_GETMODIFY: return state->modified;
    case EM_SETMODIFY: state->modified = wParam != 0; return 0;
    case EM_SETREADONLY: setReadOnly(hwnd, wParam != 0); return TRUE;
    case EM_SCROLLCARET:
      scrollCaretIntoView(hwnd);
      redraw(hwnd);
      return TRUE;
    case WM_CUT: cutSelection(hwnd); return 0;
    case WM_COPY: copySelection(hwnd); return 0;
    case WM_PASTE: pasteClipboard(hwnd); return 0;
    case WM_CLEAR: clearSelection(hwnd); return 0;
    case EM_CANUNDO: return !state->undo.empty();
    case EM_EMPTYUNDOBUFFER: state->undo = {}; return 0;
    case EM_UNDO:
    case WM_UNDO: undoLastChange(hwnd); return TRUE;  // always TRUE for a single-line box
    case WM_CONTEXTMENU: showEditMenu(hwnd, lParam); return 0;
    case WM_KEYDOWN: editKeyDown(hwnd, wParam); return 0;
    case WM_CHAR: editChar(hwnd, static_cast<unsigned char>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: editMouse(hwnd, message, wParam, lParam); return 0;
    case WM_SETFOCUS: focusChanged(hwnd, *state, true); return 0;
    case WM_KILLFOCUS: focusChanged(hwnd, *state, false); return 0;
    case WM_TIMER:
      if (wParam == kCaretTimer) blinkCaret(hwnd);
      return 0;
    case WM_SIZE:
      scrollCaretIntoView(hwnd);
      redraw(hwnd);
      return 0;
    case WM_ENABLE: redraw(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return paint(hwnd);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

EditState *editState(HWND hwnd) { return controlState<EditState>(hwnd); }

const std::string &editText(HWND hwnd) {
  static const std::string none;
  Window *w = findWindow(hwnd, false);
  return w ? w->text : none;
}

bool replaceSelection(HWND hwnd, std::string insert, bool honorLimit, bool undoable) {
  Window *w = findWindow(hwnd, false);
  EditState *state = editState(hwnd);
  if (!w || !state) return false;
  edit::applyCase(insert, w->style);
  std::string &text = w->text;
  size_t begin = state->selectionBegin(), end = state->selectionEnd();
  bool cut = false;
  if (honorLimit) {
    size_t kept = text.size() - (end - begin);
    size_t fit = edit::prefixWithinBytes(insert, state->limit > kept ? state->limit - kept : 0);
    if (!(w->style & ES_AUTOHSCROLL)) {
      RECT line = editTextRect(hwnd);
      int room = (line.right - line.left) - font::textWidth(std::string_view(text).substr(0, begin)) -
                 font::textWidth(std::string_view(text).substr(end));
      fit = std::min(fit, edit::prefixWithinWidth(insert, room));
    }
    cut = fit < insert.size();
    insert.resize(fit);
  }
  bool changed = !insert.empty() || begin != end;
  if (changed) {
    if (undoable) {
      state->undo.record(begin, std::string_view(text).substr(begin, end - begin), insert.size());
    } else {
      state->undo = {};
    }
    text.replace(begin, end - begin, insert);
    state->anchor = state->caret = begin + insert.size();
    state->modified = true;
    scrollCaretIntoView(hwnd);
    showCaretNow(hwnd);
    redraw(hwnd);
  }
  if (cut) notifyParent(hwnd, EN_MAXTEXT);
  if (changed) {
    notifyParent(hwnd, EN_UPDATE);
    notifyParent(hwnd, EN_CHANGE);
  }
  return changed;
}

void setSelection(HWND hwnd, size_t anchor, size_t caret) {
  EditState *state = editState(hwnd);
  if (!state) return;
  state->anchor = anchor;
  state->caret = caret;
  scrollCaretIntoView(hwnd);
  showCaretNow(hwnd);
  redraw(hwnd);
}

void moveCaret(HWND hwnd, size_t caret, bool extend) {
  EditState *state = editState(hwnd);
  if (state) setSelection(hwnd, extend ? state->anchor : caret, caret);
}

void registerEditClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = editProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.lpszClassName = "Edit";
  registerSystemClass(wc);
}

}  // namespace win32
