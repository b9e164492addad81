// The frame window. It owns no document logic: it sizes itself to the view's row of cells and a whole
// number of rows, routes commands, and passes keys, characters and timer ticks on to the view, because
// the keyboard focus stays with the frame.
#include "app/frame.h"

#include <commctrl.h>

#include "app/frame_layout.h"
#include "app/toolbar.h"
#include "dialogs/confirm.h"
#include "document/editor_state.h"
#include "document/file_access.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/font_cell.h"

namespace {

LRESULT onCreate(HWND frame, const CREATESTRUCTA *cs) {
  FontCell cell = measureFixedFont(frame);
  editor.frameCharWidth = cell.width;
  editor.frameLineHeight = cell.height;
  editor.appInstance = cs->hInstance;
  editor.frameWnd = frame;
  createFrameControls(frame);
  snapFrameSize(frame);
  layoutFrameControls(frame);
  initOpenDialog(frame);
  editor.findAscii = true;
  editor.findText[0] = 0;
  SetTimer(frame, IDT_BLINK, 500, nullptr);
  return 0;
}

LRESULT onEraseBackground(HWND frame, HDC hdc) {
  RECT client;
  GetClientRect(frame, &client);
  SelectObject(hdc, GetStockObject(GRAY_BRUSH));
  Rectangle(hdc, 0, 0, client.right, client.bottom);
  return 0;
}

// Open closes the current view (which offers to save its changes) and hands the command to a new one.
void beginOpen(HWND frame, WPARAM wParam, LPARAM lParam) {
  if (editor.activeView) SendMessageA(editor.activeView, WM_CLOSE, 0, 0);
  editor.statusText = TEXT_OPEN_BEGUN;
  SendMessageA(editor.statusWnd, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(editor.statusText));
  RECT place = viewRect(frame);
  HWND view = CreateWindowExA(0, VIEW_CLASS, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, frame,
                              reinterpret_cast<HMENU>(IDC_VIEW), editor.appInstance, nullptr);
  if (!view) return;
  editor.viewWnd = editor.activeView = view;
  SendMessageA(view, WM_COMMAND, wParam, lParam);
}

LRESULT onCommand(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDM_EXIT: SendMessageA(frame, WM_CLOSE, 0, 0); return 0;
    case IDM_ABOUT:
      DialogBoxParamA(editor.appInstance, MAKEINTRESOURCEA(IDD_ABOUT), frame, aboutDialogProc, 0);
      return 0;
    case IDM_OPEN: beginOpen(frame, wParam, lParam); return 0;
    case IDM_FIND:
    case IDM_FIND_NEXT:
    case IDM_SAVE:
    case IDM_REVERT:
    case IDM_GOTO:
      if (editor.activeView) SendMessageA(editor.activeView, message, wParam, lParam);
      return 0;
    default: return DefWindowProcA(frame, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK frameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return onCreate(frame, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_SIZE:
      if (wParam != SIZE_RESTORED) return 1;
      resizeFrame(frame);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(frame, &ps);
      EndPaint(frame, &ps);
      return 1;
    }
    case WM_ERASEBKGND: return onEraseBackground(frame, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
      if (editor.activeView) SendMessageA(editor.activeView, WM_CLOSE, wParam, lParam);
      return DefWindowProcA(frame, message, wParam, lParam);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR *>(lParam)->code == TTN_NEEDTEXTA)
        tooltipText(reinterpret_cast<NMTTDISPINFOA *>(lParam));
      return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_TIMER:
    case WM_MOUSEWHEEL:
      if (editor.activeView) SendMessageA(editor.activeView, message, wParam, lParam);
      return 0;
    case WM_COMMAND: return onCommand(frame, message, wParam, lParam);
    default: return DefWindowProcA(frame, message, wParam, lParam);
  }
}
