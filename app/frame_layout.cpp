// The frame's size and the placement of its toolbar, status bar and view.
#include "app/frame_layout.h"

#include "app/toolbar.h"
#include "document/editor_state.h"
#include "view/layout.h"

namespace {

int windowHeight(HWND hwnd) {
  RECT r;
  return hwnd && GetWindowRect(hwnd, &r) ? r.bottom - r.top : 0;
}

}  // namespace

int rowsThatFit(int clientHeight, int toolbarHeight, int statusHeight, int lineHeight) {
  int rows = (clientHeight - statusHeight - toolbarHeight - 1) / lineHeight;
  return rows < 1 ? 1 : rows;
}

void createFrameControls(HWND frame) {
  editor.toolbarWnd = createToolbar(frame, editor.appInstance);
  SendMessageA(editor.toolbarWnd, TB_AUTOSIZE, 0, 0);
  editor.statusWnd = createStatusBar(frame);
}

void snapFrameSize(HWND frame) {
  RECT window, client;
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  int nonClientWidth = (window.right - window.left) - client.right;
  int nonClientHeight = (window.bottom - window.top) - client.bottom;
  int width = ROW_CELLS * editor.frameCharWidth + nonClientWidth + GetSystemMetrics(SM_CXVSCROLL) + 2;
  int height = editor.visibleRows * editor.frameLineHeight + windowHeight(editor.toolbarWnd) +
               windowHeight(editor.statusWnd) + nonClientHeight + 4;
  MoveWindow(frame, window.left, window.top, width, height, TRUE);
}

RECT viewRect(HWND frame) {
  RECT client;
  GetClientRect(frame, &client);
  int toolbarHeight = windowHeight(editor.toolbarWnd), statusHeight = windowHeight(editor.statusWnd);
  return {0, toolbarHeight + 1, client.right, client.bottom - statusHeight - 1};
}

void layoutFrameControls(HWND) {
  SendMessageA(editor.toolbarWnd, TB_AUTOSIZE, 0, 0);
  SendMessageA(editor.statusWnd, WM_SIZE, 0, 0);
  setStatusParts(editor.statusWnd);
}

// The move snaps the frame to whole rows and brings a nested WM_SIZE, which counts the rows again and
// snaps once more where the frame's own parts changed height with its width (a narrow or tiny frame wraps
// or squeezes its menu bar); the size it arrives at fits its rows, so the move after that changes nothing.
void resizeFrame(HWND frame) {
  RECT client;
  GetClientRect(frame, &client);
  int toolbarHeight = windowHeight(editor.toolbarWnd), statusHeight = windowHeight(editor.statusWnd);
  editor.visibleRows = rowsThatFit(client.bottom, toolbarHeight, statusHeight, editor.frameLineHeight);
  snapFrameSize(frame);
  if (editor.statusWnd) SendMessageA(editor.statusWnd, WM_SIZE, 0, 0);
  RECT view = viewRect(frame);
  if (editor.activeView)
    MoveWindow(editor.activeView, view.left, view.top, view.right - view.left, view.bottom - view.top, TRUE);
}
