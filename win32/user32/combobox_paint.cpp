// user32: how a drop-down list combo box looks — a sunken white field with the selection and an arrow button.
#include <string>

#include "gdi32/dc.h"
#include "gdi32/font.h"
#include "gdi32/paint.h"
#include "user32/arrow_button.h"
#include "user32/combobox.h"

namespace win32 {
namespace {

constexpr int kTextIndent = 2;

std::string selectedText(const ComboBoxState &state) {
  int index = int(SendMessageA(state.list, LB_GETCURSEL, 0, 0));
  int length = index >= 0 ? int(SendMessageA(state.list, LB_GETTEXTLEN, WPARAM(index), 0)) : -1;
  if (length < 0) return "";
  std::string text(size_t(length) + 1, '\0');
  SendMessageA(state.list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(size_t(length));
  return text;
}

}  // namespace

void comboBoxParts(HWND hwnd, RECT &field, RECT &button) {
  RECT r;
  GetClientRect(hwnd, &r);
  r = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};  // inside the sunken edge
  button = {r.right - GetSystemMetrics(SM_CXVSCROLL), r.top, r.right, r.bottom};
  field = {r.left + 1, r.top + 1, button.left - 1, r.bottom - 1};
}

// The parent colours the field with WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC while the box is disabled.
// With the focus and the list closed, the selection shows in the selection colours inside a focus
// rectangle.
void paintComboBox(HWND hwnd, HDC hdc, const ComboBoxState &state) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return;
  RECT r;
  GetClientRect(hwnd, &r);
  DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  bool enabled = IsWindowEnabled(hwnd);
  FillRect(hdc, &r, controlBrush(hwnd, hdc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC));
  RECT field, button;
  comboBoxParts(hwnd, field, button);
  // The button stays pressed in while the list is open.
  drawArrowButton(hdc, button, Arrow::Down, state.dropped, enabled);
  bool highlighted = enabled && state.focused && !state.dropped;
  COLORREF color = !enabled      ? GetSysColor(COLOR_GRAYTEXT)
                   : highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                 : dc->textColor;
  if (highlighted) paint::fill(*dc, field, GetSysColor(COLOR_HIGHLIGHT));
  DeviceContext clipped = *dc;
  clipped.clip.intersect(rectOffset(field, dc->origin.x, dc->origin.y));
  int y = field.top + ((field.bottom - field.top) - font::kHeight) / 2;
  paint::text(clipped, field.left + kTextIndent, y, selectedText(state), color, nullptr);
  if (highlighted) DrawFocusRect(hdc, &field);
}

}  // namespace win32
