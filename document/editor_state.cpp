// The one record every window and dialog of the program reads and writes.
#include "document/editor_state.h"

#include "resources/texts.h"

EditorState editor;

void resetEditorState() {
  editor = EditorState{};
  editor.visibleRows = 24;
  editor.caretOn = true;
  editor.statusText = TEXT_DESCRIPTION_STATUS;
}
