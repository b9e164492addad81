// user32: the edit control's keyboard, mouse and clipboard.
#include "backend/driver.h"
#include "user32/edit.h"
#include <windowsx.h>

namespace win32 {
namespace {

bool held(int vk) { return GetKeyState(vk) < 0; }

bool readOnly(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY) != 0; }

// Deletes the selection, or else the character on the given side of the caret.
void deleteCharacter(HWND hwnd, bool forward) {
  EditState *state = editState(hwnd);
  if (!state || readOnly(hwnd)) return;
  const std::string &text = editText(hwnd);
  if (state->anchor == state->caret) {
    size_t other = forward ? edit::nextBoundary(text, state->caret) : edit::previousBoundary(text, state->caret);
    if (other == state->caret) return;
    state->anchor = other;
  }
  replaceSelection(hwnd, "", false, true);
}

}  // namespace

// Up and Down move like Left and Right on a single line; Ctrl moves by words, Shift extends the selection.
void editKeyDown(HWND hwnd, WPARAM vk) {
  EditState *state = editState(hwnd);
  if (!state) return;
  const std::string &text = editText(hwnd);
  bool shift = held(VK_SHIFT), ctrl = held(VK_CONTROL);
  switch (vk) {
    case VK_LEFT:
    case VK_UP:
      moveCaret(hwnd, ctrl ? edit::wordStartBefore(text, state->caret) : edit::previousBoundary(text, state->caret),
                shift);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      moveCaret(hwnd, ctrl ? edit::wordStartAfter(text, state->caret) : edit::nextBoundary(text, state->caret), shift);
      break;
    case VK_HOME: moveCaret(hwnd, 0, shift); break;
    case VK_END: moveCaret(hwnd, text.size(), shift); break;
    case VK_DELETE:
      if (shift) {
        cutSelection(hwnd);
      } else {
        deleteCharacter(hwnd, true);
      }
      break;
    case VK_INSERT:
      if (ctrl) copySelection(hwnd);
      if (shift && !ctrl) pasteClipboard(hwnd);
      break;
    default: break;
  }
}

// Control characters carry the editing shortcuts (Ctrl+A, C, V, X and Z, Backspace); other characters are
// typed, a multi-byte character once all its bytes have arrived.
void editChar(HWND hwnd, unsigned char byte) {
  EditState *state = editState(hwnd);
  if (!state) return;
  switch (byte) {
    case 0x01: setSelection(hwnd, 0, editText(hwnd).size()); return;
    case 0x03: copySelection(hwnd); return;
    case 0x16: pasteClipboard(hwnd); return;
    case 0x18: cutSelection(hwnd); return;
    case 0x1A:
      if (!readOnly(hwnd)) SendMessageA(hwnd, WM_UNDO, 0, 0);
      return;
    case '\b': deleteCharacter(hwnd, false); return;
    default: break;
  }
  if (byte < 0x20 || byte == 0x7F || readOnly(hwnd)) return;
  std::string character;
  if (state->typing.add(byte, character)) replaceSelection(hwnd, character, true, true);
}

void editMouse(HWND hwnd, UINT message, WPARAM keys, LPARAM point) {
  EditState *state = editState(hwnd);
  if (!state) return;
  int x = GET_X_LPARAM(point);
  switch (message) {
    case WM_LBUTTONDOWN:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!(state = editState(hwnd))) return;
      moveCaret(hwnd, positionAtX(hwnd, x), (keys & MK_SHIFT) != 0);
      state->selecting = true;
      SetCapture(hwnd);
      break;
    case WM_LBUTTONDBLCLK: {
      size_t begin, end;
      edit::wordAround(editText(hwnd), positionAtX(hwnd, x), begin, end);
      setSelection(hwnd, begin, end);
      break;
    }
    case WM_MOUSEMOVE:
      if (state->selecting && GetCapture() == hwnd) moveCaret(hwnd, positionAtX(hwnd, x), true);
      break;
    case WM_LBUTTONUP:
      if (state->selecting) {
        state->selecting = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      break;
    case WM_CAPTURECHANGED: state->selecting = false; break;
    default: break;
  }
}

void copySelection(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state || state->anchor == state->caret) return;
  size_t begin = state->selectionBegin();
  backend::driver().setClipboardText(editText(hwnd).substr(begin, state->selectionEnd() - begin));
}

void cutSelection(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state || state->anchor == state->caret || readOnly(hwnd)) return;
  copySelection(hwnd);
  replaceSelection(hwnd, "", false, true);
}

void pasteClipboard(HWND hwnd) {
  if (!editState(hwnd) || readOnly(hwnd)) return;
  std::string clip = backend::driver().clipboardText();
  if (clip.empty()) return;
  replaceSelection(hwnd, std::string(edit::firstLine(clip)), true, true);
}

void clearSelection(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state || state->anchor == state->caret || readOnly(hwnd)) return;
  replaceSelection(hwnd, "", false, true);
}

}  // namespace win32
