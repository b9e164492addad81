// user32: a dialog's controls — finding them by identifier, their text and checks, tab and group order.
#include <vector>

#include "user32/dialog.h"

namespace win32 {
namespace {

bool usable(const Window &w) { return w.visible() && w.enabled(); }

bool isTabStop(const Window &w) { return usable(w) && (w.style & WS_TABSTOP); }

bool startsGroup(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  return w && (w->style & WS_GROUP);
}

template <typename Test>
bool passes(HWND hwnd, Test test) {
  Window *w = findWindow(hwnd, false);
  return w && test(*w);
}

// The dialog's own child that is, or contains, `control`; -1 when there is none.
int childIndex(const std::vector<HWND> &children, HWND control) {
  for (Window *w = findWindow(control, false); w && w->isChild(); w = findWindow(w->parent, false))
    for (size_t i = 0; i < children.size(); ++i)
      if (children[i] == w->handle) return int(i);
  return -1;
}

// The members of the group holding child `at`, in order: the group starts at the nearest WS_GROUP control
// at or before it and runs up to the next WS_GROUP control, going round the end of the list. With no
// WS_GROUP anywhere, all controls are one group.
std::vector<int> groupOf(const std::vector<HWND> &children, int at) {
  int n = int(children.size()), start = -1;
  for (int k = 0; k < n && start < 0; ++k)
    if (startsGroup(children[size_t((at - k + n) % n)])) start = (at - k + n) % n;
  if (start < 0) start = at;
  std::vector<int> members;
  int i = start;
  do {
    members.push_back(i);
    i = (i + 1) % n;
  } while (i != start && !startsGroup(children[size_t(i)]));
  return members;
}

}  // namespace

HWND findDialogItem(HWND dialog, int id) {
  Window *w = findWindow(dialog, false);
  if (!w) return nullptr;
  for (HWND child : w->children)
    if (Window *c = findWindow(child, false); c && UINT(c->id) == UINT(id)) return child;
  return nullptr;
}

}  // namespace win32

using namespace win32;

extern "C" {

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  if (!findWindow(dialog)) return nullptr;
  HWND item = findDialogItem(dialog, id);
  if (!item) SetLastError(1421);  // ERROR_CONTROL_ID_NOT_FOUND
  return item;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextA(item, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
  if (HWND item = GetDlgItem(dialog, id)) return UINT(GetWindowTextA(item, buffer, size));
  if (buffer && size > 0) buffer[0] = 0;
  return 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

// Every control whose identifier lies in the range is checked or unchecked, whatever its group.
BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int checked) {
  Window *w = findWindow(dialog);
  if (!w) return FALSE;
  std::vector<HWND> children = w->children;
  for (HWND child : children) {
    int id = GetDlgCtrlID(child);
    if (id >= first && id <= last) SendMessageA(child, BM_SETCHECK, id == checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) { return UINT(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0)); }

// The next (or previous) visible, enabled WS_TABSTOP control, going round the end of the list; the
// control itself when there is no other. Without a control, the first one (and, as Windows answers, no
// control at all when going backwards).
HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  Window *w = findWindow(dialog);
  if (!w) return nullptr;
  if (control == dialog) control = nullptr;
  if (!control && previous) return nullptr;
  std::vector<HWND> children = w->children;
  int n = int(children.size()), step = previous ? -1 : 1;
  int at = control ? childIndex(children, control) : -1;
  if (at >= 0)
    for (int i = at + step; i >= 0 && i < n; i += step)
      if (passes(children[size_t(i)], isTabStop)) return children[size_t(i)];
  for (int k = 0; k < n; ++k) {
    HWND child = children[size_t(previous ? n - 1 - k : k)];
    if (passes(child, isTabStop)) return child;
  }
  return control;
}

// The next (or previous) visible, enabled control of the same group, going round within the group; the
// control itself when there is no other. Without a control, the first control.
HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  Window *w = findWindow(dialog);
  if (!w) return nullptr;
  if (control == dialog) control = nullptr;
  if (!control && previous) return nullptr;
  std::vector<HWND> children = w->children;
  if (children.empty()) return nullptr;
  if (!control) {
    if (passes(children.front(), usable)) return children.front();
    control = children.front();
  }
  int at = childIndex(children, control);
  if (at < 0) return nullptr;
  std::vector<int> group = groupOf(children, at);
  int m = int(group.size()), position = 0;
  while (group[size_t(position)] != at) ++position;
  for (int k = 1; k < m; ++k) {
    HWND candidate = children[size_t(group[size_t(previous ? (position - k + m) % m : (position + k) % m)])];
    if (passes(candidate, usable)) return candidate;
  }
  return control;
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
  if (!findWindow(dialog) || !rect) return FALSE;
  *rect = dialogUnitsToPixels(*rect);
  return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) {
  SIZE base = dialogBaseUnits();
  return MAKELONG(base.cx, base.cy);
}

}  // extern "C"
