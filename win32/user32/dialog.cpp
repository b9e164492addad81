// user32: dialogs from templates — creating the window and its controls, the modal loop, EndDialog.
#include "user32/dialog.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "backend/driver.h"
#include "gdi32/font.h"
#include "kernel32/module.h"
#include "kernel32/resource.h"

namespace win32 {
namespace {

// Where Windows opens a dialog: DS_CENTER centres it on the work area (here the whole screen); otherwise
// the template's (x, y) counts from the owner's client area, or from the screen's corner with DS_ABSALIGN
// or no owner. A top-level dialog is then moved onto the screen with its right and bottom edges a dialog
// frame inside it (Wine under the probe, to the pixel). The stand-in's dialog window is its client area.
POINT dialogPosition(const DialogTemplate &tmpl, HWND owner, SIZE size) {
  RECT screen{0, 0, backend::driver().screenWidth(), backend::driver().screenHeight()};
  RECT offset = dialogUnitsToPixels(RECT{tmpl.x, tmpl.y, 0, 0});
  POINT at{offset.left, offset.top};
  if (tmpl.style & DS_CENTER) {
    at = {(screen.right - size.cx) / 2, (screen.bottom - size.cy) / 2};
  } else if (owner && !(tmpl.style & (WS_CHILD | DS_ABSALIGN))) {
    ClientToScreen(owner, &at);
  }
  if (tmpl.style & WS_CHILD) return at;
  at.x = std::max(0, std::min(int(at.x), int(screen.right) - GetSystemMetrics(SM_CXDLGFRAME) - int(size.cx)));
  at.y = std::max(0, std::min(int(at.y), int(screen.bottom) - GetSystemMetrics(SM_CYDLGFRAME) - int(size.cy)));
  return at;
}

// Edit boxes of a dialog show the sunken 3-D border in place of the flat WS_BORDER, as they do on every
// Windows since 95.
void applyThreeDLook(const std::string &className, DWORD &style, DWORD &exStyle) {
  if ((style & WS_BORDER) && strcasecmp(className.c_str(), "Edit") == 0) {
    style &= ~WS_BORDER;
    exStyle |= WS_EX_CLIENTEDGE;
  }
}

// The controls are made in template order, which is the tab order. The last default push button of
// the template becomes the dialog's default button.
bool createControls(HWND dialog, HINSTANCE instance, const DialogTemplate &tmpl) {
  HWND defaultButton = nullptr;
  for (const DialogItemTemplate &item : tmpl.items) {
    RECT r = dialogUnitsToPixels(RECT{item.x, item.y, item.x + item.cx, item.y + item.cy});
    std::string className = item.className();
    DWORD style = item.style | WS_CHILD, exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
    applyThreeDLook(className, style, exStyle);
    LPCSTR text = item.text.isOrdinal ? MAKEINTRESOURCEA(item.text.ordinal) : item.text.name.c_str();
    // WM_CREATE's creation parameters point at the template's creation data as it stands there: its
    // size in a WORD, then the bytes (as Wine passes them); without creation data, at nothing.
    std::vector<uint8_t> data;
    if (!item.creationData.empty()) {
      size_t size = item.creationData.size();
      data = {uint8_t(size & 0xFF), uint8_t(size >> 8)};
      data.insert(data.end(), item.creationData.begin(), item.creationData.end());
    }
    HWND control = CreateWindowExA(exStyle, className.c_str(), text, style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, dialog, reinterpret_cast<HMENU>(UINT_PTR(item.id)), instance,
                                   data.empty() ? nullptr : data.data());
    if (!IsWindow(dialog)) return false;
    if (!control) {
      if (tmpl.style & DS_NOFAILCREATE) continue;
      return false;
    }
    SetWindowContextHelpId(control, item.helpId);
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      if (defaultButton) SendMessageA(defaultButton, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
      defaultButton = control;
      if (DialogState *state = dialogState(dialog)) state->defaultId = UINT(item.id);
    }
  }
  return true;
}

HWND firstFocusCandidate(HWND dialog) {
  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  return focus ? focus : GetNextDlgGroupItem(dialog, nullptr, FALSE);
}

// WM_INITDIALOG names the control that will get the focus; a TRUE answer lets the dialog manager give it
// (found again, since the procedure may have changed the dialog); FALSE means the procedure set the focus.
void initialize(HWND dialog, LPARAM param) {
  if (!GetWindowLongPtrA(dialog, DWLP_DLGPROC)) return;
  if (!SendMessageA(dialog, WM_INITDIALOG, WPARAM(firstFocusCandidate(dialog)), param) || !IsWindow(dialog)) return;
  HWND focus = firstFocusCandidate(dialog);
  if (focus) {
    setDialogFocus(focus);
  } else {
    SetFocus(dialog);
  }
}

// A dialog appears when its loop first finds the queue empty. Activation gives the dialog the focus when
// no control has it, and the dialog passes it on to its first tab stop.
void showModalDialog(HWND dialog) {
  if (GetWindowLongA(dialog, GWL_STYLE) & DS_SETFOREGROUND) SetForegroundWindow(dialog);
  ShowWindow(dialog, SW_SHOWNORMAL);
  HWND focus = GetFocus();
  if (GetActiveWindow() == dialog && focus != dialog && !IsChild(dialog, focus)) SetFocus(dialog);
}

bool dialogEnded(HWND dialog) {
  DialogState *state = dialogState(dialog);
  return !state || state->ended;
}

// The nested message loop: Windows' own, keys go through IsDialogMessageA. A WM_QUIT ends the dialog
// and is posted again for the loop outside.
void runModalLoop(HWND dialog) {
  bool shown = false;
  HWND owner = GetWindow(dialog, GW_OWNER);
  MSG msg;
  while (!dialogEnded(dialog)) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!shown) {
        showModalDialog(dialog);
        shown = true;
      }
      if (owner && !(GetWindowLongA(dialog, GWL_STYLE) & DS_NOIDLEMSG))
        SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, LPARAM(dialog));
      GetMessageA(&msg, nullptr, 0, 0);
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return;
    }
    if (!IsWindow(dialog)) return;
    if (!dialogEnded(dialog) && !IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!shown && msg.message == WM_TIMER && IsWindow(dialog)) {
      showModalDialog(dialog);
      shown = true;
    }
  }
}

// The owner of a modal dialog is a top-level window: a child owner stands for its top-level parent.
HWND modalOwnerOf(HWND owner) {
  Window *w = findWindow(owner, false);
  return w ? topLevelOf(w)->handle : nullptr;
}

}  // namespace

DialogState *dialogState(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  return w ? dynamic_cast<DialogState *>(w->dialog.get()) : nullptr;
}

DialogState &attachDialogState(Window &w) {
  if (!dynamic_cast<DialogState *>(w.dialog.get())) w.dialog = std::make_unique<DialogState>();
  return *static_cast<DialogState *>(w.dialog.get());
}

SIZE dialogBaseUnits() { return {font::kCellWidth, font::kHeight}; }

RECT dialogUnitsToPixels(const RECT &units) {
  SIZE base = dialogBaseUnits();
  auto x = [&](LONG v) { return LONG(v * base.cx / 4); };
  auto y = [&](LONG v) { return LONG(v * base.cy / 8); };
  return {x(units.left), y(units.top), x(units.right), y(units.bottom)};
}

HWND createDialogIndirect(HINSTANCE instance, const DialogTemplate &tmpl, HWND owner, DLGPROC proc, LPARAM param,
                          HWND disabledOwner) {
  RECT size = dialogUnitsToPixels(RECT{0, 0, tmpl.cx, tmpl.cy});
  POINT at = dialogPosition(tmpl, owner, SIZE{size.right, size.bottom});
  std::string className = tmpl.windowClass.isOrdinal || tmpl.windowClass.empty() ? "#32770" : tmpl.windowClass.name;
  HWND dialog = CreateWindowExA(tmpl.exStyle, className.c_str(), tmpl.caption.c_str(), tmpl.style & ~WS_VISIBLE, at.x,
                                at.y, size.right, size.bottom, owner, nullptr, instance, nullptr);
  Window *w = findWindow(dialog, false);
  if (!w) return nullptr;
  attachDialogState(*w).disabledOwner = disabledOwner;
  SetWindowContextHelpId(dialog, tmpl.helpId);
  if (proc) SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (!createControls(dialog, instance, tmpl)) {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return nullptr;
  }
  initialize(dialog, param);
  if (!IsWindow(dialog)) return nullptr;
  if ((tmpl.style & WS_VISIBLE) && !dialogEnded(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

INT_PTR dialogBoxIndirect(HINSTANCE instance, const DialogTemplate &tmpl, HWND owner, DLGPROC proc, LPARAM param) {
  if (owner && !findWindow(owner)) return -1;
  HWND modalOwner = modalOwnerOf(owner), disabled = nullptr;
  if (modalOwner && IsWindowEnabled(modalOwner)) {
    disabled = modalOwner;
    EnableWindow(modalOwner, FALSE);
  }
  // Placed from the owner given, even a child window; owned, like every window, by its top-level window.
  HWND dialog = createDialogIndirect(instance, tmpl, owner, proc, param, disabled);
  if (!dialog) {
    if (disabled) EnableWindow(disabled, TRUE);
    return -1;
  }
  runModalLoop(dialog);
  // A dialog that ended without EndDialog (a WM_QUIT, or destroyed) returns 0 and still gives its owner back.
  DialogState *state = dialogState(dialog);
  bool ended = state && state->ended;
  INT_PTR result = ended ? state->result : 0;
  if (disabled && !ended) EnableWindow(disabled, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return result;
}

}  // namespace win32

using namespace win32;

extern "C" {

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  if (!isProgramModule(instance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return -1;
  }
  std::span<const uint8_t> bytes = findResourceData(RT_DIALOG, name);
  if (bytes.empty()) return -1;
  std::optional<DialogTemplate> tmpl = parseDialogTemplate(bytes);
  if (!tmpl) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return -1;
  }
  return dialogBoxIndirect(instance, *tmpl, owner, proc, param);
}

// A template in memory carries no size of its own: it is read only as far as its header and items go.
INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog, HWND owner, DLGPROC proc,
                                       LPARAM param) {
  constexpr size_t kLargestTemplate = size_t(1) << 24;
  std::optional<DialogTemplate> tmpl =
      dialog ? parseDialogTemplate({reinterpret_cast<const uint8_t *>(dialog), kLargestTemplate}) : std::nullopt;
  if (!tmpl) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  return dialogBoxIndirect(instance, *tmpl, owner, proc, param);
}

// The dialog ends when its loop has handled the current message; it is hidden at once, and its owner is
// enabled and activated again.
BOOL WINAPI EndDialog(HWND hwnd, INT_PTR result) {
  DialogState *state = dialogState(hwnd);
  if (!state) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  bool wasActive = GetActiveWindow() == hwnd;
  state->result = result;
  state->ended = true;
  HWND owner = GetWindow(hwnd, GW_OWNER);
  if (state->disabledOwner) EnableWindow(state->disabledOwner, TRUE);
  if (wasActive && IsChild(hwnd, GetFocus())) SetFocus(hwnd);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (wasActive && owner && IsWindow(owner)) SetActiveWindow(owner);
  return TRUE;
}

}  // extern "C"
