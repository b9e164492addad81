// The view's Find, Find next and Go-to commands. Find next looks from the byte after the cursor and wraps
// to the start; both Find and Go-to put the cursor on the byte they arrive at.
#include "view/search_commands.h"

#include "dialogs/find.h"
#include "dialogs/goto.h"
#include "document/editor_state.h"
#include "document/search.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/cursor.h"
#include "view/navigate.h"

void findCommand(HWND view) {
  if (!askFindText(view)) return;
  EnableMenuItem(editor.mainMenu, IDM_FIND_NEXT, MF_ENABLED);
  SendMessageA(view, WM_COMMAND, IDM_FIND_NEXT, 0);
}

void findNextCommand(HWND view) {
  int32_t position = cursorOffset();
  findBytes(editor.fileData, editor.fileSize, editor.findAscii, editor.findText, position);
  if (position == -1) {
    MessageBoxA(view, TEXT_NOT_FOUND, PROGRAM_NAME, MB_ICONERROR);
    return;
  }
  revealOffset(view, position);
}

void gotoCommand(HWND view) {
  int32_t offset = askOffset(view);
  if (offset >= 0 && offset < editor.fileSize) revealOffset(view, offset);
}
