// user32: IsDialogMessageA — the dialog keyboard: Tab, arrows, Enter, Escape and access keys.
#include <cctype>
#include <string>
#include <vector>

#include "user32/dialog.h"

namespace win32 {
namespace {

LRESULT dialogCode(HWND control, const MSG *msg) {
  return control ? SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0, LPARAM(msg)) : 0;
}

bool shiftHeld() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// Enter presses the focused push button when it shows as the default one, else the dialog's default
// button (when that is enabled), else IDOK even without such a button.
void pressEnter(HWND dialog) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus) && (dialogCode(focus, nullptr) & DLGC_DEFPUSHBUTTON)) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), LPARAM(focus));
    return;
  }
  LRESULT defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(defId) == DC_HASDEFID) {
    HWND button = findDialogItem(dialog, LOWORD(defId));
    if (!button || IsWindowEnabled(button))
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED), LPARAM(button));
    return;
  }
  SendMessageA(dialog, WM_COMMAND, IDOK, LPARAM(findDialogItem(dialog, IDOK)));
}

// Arrows move within the group; reaching an automatic radio button checks it (with a click, so the
// dialog hears of it).
void pressArrow(HWND dialog, const MSG &msg) {
  bool previous = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
  HWND next = GetNextDlgGroupItem(dialog, msg.hwnd, previous);
  SendMessageA(dialog, WM_NEXTDLGCTL, WPARAM(next), TRUE);
  if (next && dialogCode(next, &msg) == (DLGC_BUTTON | DLGC_RADIOBUTTON) &&
      (GetWindowLongA(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
      SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
    SendMessageA(next, BM_CLICK, 0, 0);
}

// Returns true when the dialog manager used the key.
bool dialogKey(HWND dialog, const MSG &msg) {
  LRESULT code = dialogCode(msg.hwnd, &msg);
  if (code & DLGC_WANTMESSAGE) return false;
  switch (msg.wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      SendMessageA(dialog, WM_NEXTDLGCTL, shiftHeld(), 0);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      pressArrow(dialog, msg);
      return true;
    case VK_ESCAPE: SendMessageA(dialog, WM_COMMAND, IDCANCEL, LPARAM(findDialogItem(dialog, IDCANCEL))); return true;
    case VK_RETURN: pressEnter(dialog); return true;
    default: return false;
  }
}

std::string windowText(HWND hwnd) {
  std::string text(size_t(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(hwnd, text.data(), int(text.size()))));
  return text;
}

// The character after the first '&' that is not part of "&&", or 0.
char accessKeyOf(const std::string &text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1];
    ++i;
  }
  return 0;
}

bool matchesKey(HWND control, unsigned char key) {
  Window *w = findWindow(control, false);
  if (!w || !w->visible() || !w->enabled()) return false;
  LRESULT code = dialogCode(control, nullptr);
  if (!(code & (DLGC_BUTTON | DLGC_STATIC))) return false;
  if ((code & DLGC_STATIC) && w->cls->name == "Static" && (w->style & SS_NOPREFIX)) return false;
  char access = accessKeyOf(windowText(control));
  return key < 0x80 && access && std::toupper(static_cast<unsigned char>(access)) == std::toupper(key);
}

// The controls are searched from the focused one round the whole dialog. A button with the key is
// clicked; a label or group box passes the focus to the control after it.
bool pressAccessKey(HWND dialog, HWND from, unsigned char key) {
  Window *w = findWindow(dialog, false);
  if (!w || w->children.empty()) return false;
  std::vector<HWND> children = w->children;
  size_t start = 0;
  for (size_t i = 0; i < children.size(); ++i)
    if (children[i] == from || IsChild(children[i], from)) start = i;
  for (size_t k = 0; k < children.size(); ++k) {
    HWND control = children[(start + k) % children.size()];
    if (!matchesKey(control, key)) continue;
    LRESULT code = dialogCode(control, nullptr);
    if ((code & DLGC_STATIC) || (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
      SendMessageA(dialog, WM_NEXTDLGCTL, WPARAM(control), TRUE);
      SendMessageA(dialog, WM_NEXTDLGCTL, 0, 0);
    } else {
      SendMessageA(control, BM_CLICK, 0, 0);
    }
    return true;
  }
  return false;
}

}  // namespace
}  // namespace win32

using namespace win32;

// Takes every message for the dialog and its controls: the keys the dialog manager uses stop here, all
// others are translated and dispatched. Characters are access keys unless the control wants them (an edit
// box does), while Alt+letter (WM_SYSCHAR) is one everywhere.
extern "C" BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
  if (!msg || !findWindow(dialog, false)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN:
      if (dialogKey(dialog, *msg)) return TRUE;
      break;
    case WM_CHAR: {
      LRESULT code = dialogCode(msg->hwnd, msg);
      if ((code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) || (msg->wParam == '\t' && (code & DLGC_WANTTAB))) break;
      if (pressAccessKey(dialog, msg->hwnd, static_cast<unsigned char>(msg->wParam))) return TRUE;
      break;
    }
    case WM_SYSCHAR:
      if (pressAccessKey(dialog, msg->hwnd, static_cast<unsigned char>(msg->wParam))) return TRUE;
      break;
    default: break;
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}
