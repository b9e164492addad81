// user32: the edit box's single-level undo — EM_UNDO takes the last change back, and taking it back is
// itself a change, so a second EM_UNDO puts it in again.
#include <utility>

#include "user32/edit.h"

namespace win32 {

// A removal joins the last change when that removed text too and inserted nothing, and the two meet:
// Delete takes text after it, Backspace before it. An insertion joins where it continues the last
// insertion or fills the gap the last removal left.
void EditUndo::record(size_t begin, std::string_view taken, size_t put) {
  if (!taken.empty()) {
    bool removing = inserted == 0 && !removed.empty();
    if (removing && begin == position) {
      removed += taken;
    } else if (removing && begin + taken.size() == position) {
      removed.insert(0, taken);
      position = begin;
    } else {
      removed = taken;
      position = begin;
    }
    inserted = 0;
  }
  if (put == 0) return;
  if (begin == position || (inserted && begin == position + inserted)) {
    inserted += put;
  } else {
    *this = EditUndo{begin, put, {}};
  }
}

// What comes back is left selected. A read-only box keeps its text.
void undoLastChange(HWND hwnd) {
  EditState *state = editState(hwnd);
  if (!state || state->undo.empty() || (GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY)) return;
  EditUndo last = std::exchange(state->undo, EditUndo{});
  state->anchor = last.position;
  state->caret = last.position + last.inserted;
  replaceSelection(hwnd, last.removed, false, true);
  setSelection(hwnd, last.position, last.position + last.removed.size());
}

}  // namespace win32
