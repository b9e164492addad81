// The frame's toolbar with its tooltips, and its status bar.
#include "app/toolbar.h"

#include <cstring>
#include <iterator>

#include "document/editor_state.h"
#include "resources/resource.h"

namespace {

constexpr BYTE ENABLED = TBSTATE_ENABLED, GREYED = TBSTATE_INDETERMINATE;

const TBBUTTON buttons[] = {
    {0, IDM_OPEN, ENABLED, TBSTYLE_BUTTON, {}, 0, 0},   {1, IDM_SAVE, GREYED, TBSTYLE_BUTTON, {}, 0, 1},
    {2, IDM_EXIT, ENABLED, TBSTYLE_BUTTON, {}, 0, 2},   {0, 0, ENABLED, TBSTYLE_SEP, {}, 0, 0},
    {3, IDM_REVERT, GREYED, TBSTYLE_BUTTON, {}, 0, 3},  {0, 0, ENABLED, TBSTYLE_SEP, {}, 0, 0},
    {4, IDM_FIND, GREYED, TBSTYLE_BUTTON, {}, 0, 4},    {5, IDM_GOTO, GREYED, TBSTYLE_BUTTON, {}, 0, 5},
    {0, 0, ENABLED, TBSTYLE_SEP, {}, 0, 0},             {6, IDM_ABOUT, ENABLED, TBSTYLE_BUTTON, {}, 0, 6},
};

// The commands with a button, in the order of their tooltips below.
const int tooltipCommands[] = {IDM_OPEN, IDM_SAVE, IDM_EXIT, IDM_REVERT, IDM_FIND, IDM_GOTO, IDM_ABOUT};

// One block of NUL-terminated strings; a command's text is found by skipping as many strings as its
// position in the list above.
const char tooltipTexts[] =
    "打开\0"
    "保存\0"
    "退出\0"
    "撤销 (Ctrl-Z)\0"
    "查找 (Ctrl-F)\0"
    "跳转 (Ctrl-G)\0"
    "关于\0";

}  // namespace

HWND createToolbar(HWND frame, HINSTANCE instance) {
  return CreateToolbarEx(frame, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, IDC_TOOLBAR, 7, instance,
                         IDB_TOOLBAR, buttons, int(std::size(buttons)), 18, 18, 18, 18, sizeof(TBBUTTON));
}

HWND createStatusBar(HWND frame) { return CreateStatusWindowA(WS_CHILD | WS_VISIBLE, editor.statusText, frame, IDC_STATUS_BAR); }

void setStatusParts(HWND status) {
  RECT client;
  GetClientRect(status, &client);
  int rightEdges[2] = {client.right - 8 * editor.frameCharWidth, -1};
  SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));
}

void tooltipText(NMTTDISPINFOA *notification) {
  const char *text = tooltipTexts;
  for (int command : tooltipCommands) {
    if (UINT_PTR(command) == notification->hdr.idFrom) {
      std::strncpy(notification->szText, text, sizeof notification->szText - 1);
      notification->szText[sizeof notification->szText - 1] = 0;
      notification->lpszText = notification->szText;
      return;
    }
    text += std::strlen(text) + 1;
  }
}
