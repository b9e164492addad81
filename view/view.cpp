// The hex view's window procedure: one short case per message.
#include "view/view.h"

#include "document/editor_state.h"
#include "resources/resource.h"
#include "view/commands.h"
#include "view/cursor.h"
#include "view/edit.h"
#include "view/navigate.h"
#include "view/paint.h"
#include "view/search_commands.h"

namespace {

LRESULT onCommand(HWND view, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDM_OPEN: openDocument(view); break;
    case IDM_SAVE: saveDocument(view); break;
    case IDM_REVERT: revertDocument(view); break;
    case IDM_FIND: findCommand(view); break;
    case IDM_FIND_NEXT: findNextCommand(view); break;
    case IDM_GOTO: gotoCommand(view); break;
    default: break;
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK viewWindowProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: createView(view); return 0;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) resizeView(view);
      return DefWindowProcA(view, message, wParam, lParam);
    case WM_PAINT:
      if (editor.fileSize == 0) return DefWindowProcA(view, message, wParam, lParam);
      paintView(view);
      return 0;
    case WM_TIMER: blinkCursor(view); return 0;
    case WM_KEYDOWN: return onKeyDown(view, wParam);
    case WM_CHAR: return onChar(view, wParam);
    case WM_VSCROLL: return onVScroll(view, wParam);
    case WM_MOUSEWHEEL: return onMouseWheel(view, wParam);
    case WM_LBUTTONDOWN: return onLeftButtonDown(view, lParam);
    case WM_COMMAND: return onCommand(view, wParam);
    case WM_CLOSE:
      closeDocument(view);
      return DefWindowProcA(view, message, wParam, lParam);
    case WM_DESTROY: editor.activeView = nullptr; return 0;
    default: return DefWindowProcA(view, message, wParam, lParam);
  }
}
