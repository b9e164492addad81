// user32: DefDlgProcA and the "#32770" class — what every dialog does that its procedure leaves alone.
#include "user32/dialog.h"
#include "user32/message.h"

namespace win32 {
namespace {

bool isPushButton(LRESULT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

LRESULT dialogCode(HWND control) { return control ? SendMessageA(control, WM_GETDLGCODE, 0, 0) : 0; }

void saveFocus(HWND dialog, DialogState &state) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus)) state.savedFocus = focus;
}

// Activation gives the focus back to the control that had it. With nothing saved, only a real focus
// request (WM_SETFOCUS on the dialog) chooses one: the first tab stop, or else the first control.
void restoreFocus(HWND dialog, bool justActivated) {
  DialogState *state = dialogState(dialog);
  if (!state || state->ended || IsIconic(dialog)) return;
  HWND focus = state->savedFocus;
  if (!focus || !IsChild(dialog, focus)) {
    if (justActivated) return;
    focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (!focus) focus = GetNextDlgGroupItem(dialog, nullptr, FALSE);
    if (!focus) return;
  }
  state->savedFocus = nullptr;
  if (justActivated) {
    SetFocus(focus);
  } else {
    setDialogFocus(focus);
  }
}

// Leaves the heavy frame of the default button on `button` alone (on no button when it is null).
void moveDefaultLook(HWND dialog, HWND button) {
  Window *w = findWindow(dialog, false);
  std::vector<HWND> children = w ? w->children : std::vector<HWND>();
  for (HWND child : children)
    if (child != button && (dialogCode(child) & DLGC_DEFPUSHBUTTON))
      SendMessageA(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (dialogCode(button) & DLGC_UNDEFPUSHBUTTON) SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// DM_SETDEFID: the identifier is kept even when it names no push button; the look moves to the button.
void setDefaultId(HWND dialog, DialogState &state, UINT id) {
  state.defaultId = id;
  HWND button = findDialogItem(dialog, int(id));
  if (!button || isPushButton(dialogCode(button))) moveDefaultLook(dialog, button);
}

LRESULT defaultId(HWND dialog, const DialogState &state) {
  if (state.ended) return 0;
  if (state.defaultId) return MAKELRESULT(state.defaultId, DC_HASDEFID);
  Window *w = findWindow(dialog, false);
  if (!w) return 0;
  for (HWND child : w->children)
    if (dialogCode(child) & DLGC_DEFPUSHBUTTON) return MAKELRESULT(GetDlgCtrlID(child), DC_HASDEFID);
  return 0;
}

// WM_NEXTDLGCTL: with lParam, wParam is the control to focus; without, wParam says previous (nonzero) or
// next tab stop from the focus.
void nextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
  HWND target = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
  if (target) setDialogFocus(target);
  showDefaultButtonFor(dialog, target);
}

LRESULT eraseBackground(HWND dialog, HDC hdc) {
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORDLG, WPARAM(hdc), LPARAM(dialog)));
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcA(dialog, WM_CTLCOLORDLG, WPARAM(hdc), LPARAM(dialog)));
  RECT client;
  GetClientRect(dialog, &client);
  if (brush) FillRect(hdc, &client, brush);
  return 1;
}

// The part of the default behaviour that differs from an ordinary window's.
LRESULT dialogDefault(HWND dialog, DialogState &state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return eraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_SHOWWINDOW:
      if (!wParam) saveFocus(dialog, state);
      return DefWindowProcA(dialog, message, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        restoreFocus(dialog, true);
      } else {
        saveFocus(dialog, state);
      }
      return 0;
    case WM_SETFOCUS: restoreFocus(dialog, false); return 0;
    case DM_SETDEFID:
      if (!state.ended) setDefaultId(dialog, state, UINT(wParam));
      return 1;
    case DM_GETDEFID: return defaultId(dialog, state);
    case WM_NEXTDLGCTL: nextControl(dialog, wParam, lParam); return 0;
    case WM_GETFONT: return 0;
    case WM_CLOSE:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(findDialogItem(dialog, IDCANCEL)));
      return 0;
    default: return DefWindowProcA(dialog, message, wParam, lParam);
  }
}

bool returnsProcedureResult(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_INITDIALOG;
}

}  // namespace

void setDialogFocus(HWND control) {
  if (dialogCode(control) & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

void showDefaultButtonFor(HWND dialog, HWND focus) {
  DialogState *state = dialogState(dialog);
  if (!state) return;
  HWND target = focus && IsChild(dialog, focus) && isPushButton(dialogCode(focus)) ? focus : nullptr;
  if (!target && state->defaultId) target = findDialogItem(dialog, int(state->defaultId));
  moveDefaultLook(dialog, isPushButton(dialogCode(target)) ? target : nullptr);
}

void registerDialogClass() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "#32770";
  registerSystemClass(wc);
}

}  // namespace win32

using namespace win32;

// The dialog procedure sees every message first; what it returns FALSE for gets the default behaviour.
// Its answer to most messages travels in DWLP_MSGRESULT; WM_INITDIALOG and WM_CTLCOLOR* answers are returned
// as they are.
extern "C" LRESULT WINAPI DefDlgProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *w = findWindow(hwnd);
  if (!w) return 0;
  attachDialogState(*w);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
  LRESULT result = 0;
  if (auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC)))
    result = callWindowProcedure(proc, hwnd, message, wParam, lParam);
  if (!result && IsWindow(hwnd) && message != WM_INITDIALOG)
    if (DialogState *state = dialogState(hwnd)) return dialogDefault(hwnd, *state, message, wParam, lParam);
  if (returnsProcedureResult(message)) return result;
  return IsWindow(hwnd) ? GetWindowLongPtrA(hwnd, DWLP_MSGRESULT) : 0;
}
