// user32: the single-line "Edit" class — its state and the operations its parts share.
#ifndef OXBYTE_WIN32_USER32_EDIT_H
#define OXBYTE_WIN32_USER32_EDIT_H

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "user32/controls.h"
#include "user32/edit_text.h"

namespace win32 {

// A new box takes 30000 bytes; EM_LIMITTEXT with 0 lifts the limit to the largest a single line allows.
constexpr size_t kDefaultEditLimit = 30000;
constexpr size_t kLargestEditLimit = 0x7FFFFFFE;

// The one change EM_UNDO takes back: `inserted` bytes put in at `position`, where `removed` was taken out.
// Typing, Backspace and Delete next to the last change extend it, so a run of them is undone at once.
struct EditUndo {
  size_t position = 0;
  size_t inserted = 0;
  std::string removed;

  bool empty() const { return inserted == 0 && removed.empty(); }
  // `taken` was removed at `begin` and `put` bytes were inserted there.
  void record(size_t begin, std::string_view taken, size_t put);
};

// The text itself is the window's text; positions are byte offsets that always fall between characters.
struct EditState : ControlState {
  size_t anchor = 0;  // where the selection started; the caret is its other end
  size_t caret = 0;
  size_t limit = kDefaultEditLimit;
  int scroll = 0;  // pixels of text scrolled out on the left (ES_AUTOHSCROLL)
  bool focused = false;
  bool caretShown = false;  // the phase of the blinking caret
  bool selecting = false;   // the mouse is dragging a selection
  bool modified = false;
  EditUndo undo;
  edit::CharacterAssembler typing;

  size_t selectionBegin() const { return std::min(anchor, caret); }
  size_t selectionEnd() const { return std::max(anchor, caret); }
};

void registerEditClass();
EditState *editState(HWND hwnd);
const std::string &editText(HWND hwnd);

// Replaces the selection as typing, pasting and EM_REPLACESEL do: letters follow ES_UPPERCASE, and with
// `honorLimit` the text is cut, at a whole character, to the limit and (without ES_AUTOHSCROLL) to the
// width of the box. Sends EN_MAXTEXT when it cut, then EN_UPDATE and EN_CHANGE when the text changed.
// An `undoable` change is what EM_UNDO takes back; any other empties the undo buffer.
bool replaceSelection(HWND hwnd, std::string insert, bool honorLimit, bool undoable);
void setSelection(HWND hwnd, size_t anchor, size_t caret);
// Moves the caret, and the anchor with it unless the selection is being extended.
void moveCaret(HWND hwnd, size_t caret, bool extend);

// Keyboard, mouse and clipboard (edit_input.cpp).
void editKeyDown(HWND hwnd, WPARAM vk);
void editChar(HWND hwnd, unsigned char byte);
void editMouse(HWND hwnd, UINT message, WPARAM keys, LPARAM point);
void copySelection(HWND hwnd);
void cutSelection(HWND hwnd);
void pasteClipboard(HWND hwnd);
void clearSelection(HWND hwnd);

// Undo and the context menu (edit_undo.cpp, edit_menu.cpp).
void undoLastChange(HWND hwnd);
void showEditMenu(HWND hwnd, LPARAM screenPoint);

// Layout, scrolling, caret and painting (edit_paint.cpp).
RECT editTextRect(HWND hwnd);  // the line the text is drawn on, in client coordinates
size_t positionAtX(HWND hwnd, int x);
void scrollCaretIntoView(HWND hwnd);
void showCaretNow(HWND hwnd);  // the caret appears at once and blinks from there
void stopCaret(HWND hwnd);
void blinkCaret(HWND hwnd);
void paintEdit(HWND hwnd, HDC hdc);

constexpr UINT_PTR kCaretTimer = 0xCA7E;

}  // namespace win32

#endif
