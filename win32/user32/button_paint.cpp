// user32: how buttons look — classic 3-D push buttons, check boxes, radio buttons and etched group boxes.
#include <string>

#include "gdi32/dc.h"
#include "gdi32/font.h"
#include "gdi32/paint.h"
#include "user32/button.h"

namespace win32 {
namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kRadioSize = 12;
constexpr int kTextGap = 4;  // between the box or circle and the text

// The radio button circle: O is the outer ring, I the inner ring, W the inside.
constexpr const char *kRadioArt[kRadioSize] = {
    "....OOOO....", "..OOIIIIOO..", ".OIIWWWWIIO.", ".OIWWWWWWIO.", "OIWWWWWWWWIO", "OIWWWWWWWWIO",
    "OIWWWWWWWWIO", "OIWWWWWWWWIO", ".OIWWWWWWIO.", ".OIIWWWWIIO.", "..OOIIIIOO..", "....OOOO....",
};
constexpr const char *kRadioDot[kRadioSize] = {
    "", "", "", "", ".....##", "....####", "....####", ".....##", "", "", "", "",
};
constexpr const char *kCheckMark[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

std::string windowText(HWND hwnd) {
  std::string text(size_t(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(hwnd, text.data(), int(text.size()))));
  return text;
}

void drawArt(DeviceContext &dc, int x, int y, const char *const *rows, int count, char key, COLORREF color) {
  for (int row = 0; row < count; ++row)
    for (int col = 0; rows[row][col]; ++col)
      if (rows[row][col] == key) paint::setPixel(dc, x + col, y + row, color);
}

// The light falls from the top left: the rings are dark above the diagonal and light below it.
void drawRadioCircle(DeviceContext &dc, int x, int y, const ButtonState &state, bool enabled) {
  for (int row = 0; row < kRadioSize; ++row)
    for (int col = 0; col < kRadioSize; ++col) {
      char cell = kRadioArt[row][col];
      bool upperLeft = col + row < kRadioSize - 1 || (col + row == kRadioSize - 1 && col < row);
      int color = cell == 'O'   ? (upperLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT)
                  : cell == 'I' ? (upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT)
                  : cell == 'W' ? ((state.pushed || !enabled) ? COLOR_BTNFACE : COLOR_WINDOW)
                                : -1;
      if (color >= 0) paint::setPixel(dc, x + col, y + row, GetSysColor(color));
    }
  if (state.check)
    drawArt(dc, x, y, kRadioDot, kRadioSize, '#', GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
}

void drawCheckBox(HDC hdc, int x, int y, const ButtonState &state, bool enabled) {
  RECT box{x, y, x + kCheckBoxSize, y + kCheckBoxSize};
  DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  bool grey = state.pushed || !enabled || state.check == BST_INDETERMINATE;
  FillRect(hdc, &box, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
  if (state.check)
    drawArt(*deviceContext(hdc), box.left + 1, box.top + 1, kCheckMark, 7, '#',
            GetSysColor(enabled && state.check == BST_CHECKED ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
}

// One line of a 3-D frame: `topLeft` on the top and left, `bottomRight` on the bottom and right.
void drawFrameLines(HDC hdc, RECT &r, int topLeft, int bottomRight) {
  DeviceContext &dc = *deviceContext(hdc);
  COLORREF tl = GetSysColor(topLeft), br = GetSysColor(bottomRight);
  paint::fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, tl);
  paint::fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl);
  paint::fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
  paint::fill(dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom}, br);
  r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

void drawLabel(HDC hdc, const std::string &text, RECT rect, UINT format, bool enabled) {
  if (!enabled) {
    drawDisabledText(hdc, text.c_str(), rect, format);
    return;
  }
  SetBkMode(hdc, TRANSPARENT);
  DrawTextA(hdc, text.c_str(), -1, &rect, format);
}

// Push buttons: raised edges; the default one framed in black; pressed in, sunken (or, the default one,
// flat) with the text one pixel down and to the right.
void paintPushButton(HWND hwnd, HDC hdc, const ButtonState &state, bool isDefault) {
  RECT client;
  GetClientRect(hwnd, &client);
  RECT r = client;
  FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (isDefault) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  if (state.pushed && isDefault) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  } else if (state.pushed) {
    RECT edge = r;
    drawFrameLines(hdc, edge, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT);
    drawFrameLines(hdc, edge, COLOR_BTNSHADOW, COLOR_3DLIGHT);
  } else {
    RECT edge = r;
    DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT);
  }
  RECT text = client;
  if (state.pushed) text = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  drawLabel(hdc, windowText(hwnd), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, IsWindowEnabled(hwnd));
  if (state.focused) {
    int inset = isDefault ? 4 : 3;
    RECT focus{client.left + inset, client.top + inset, client.right - inset, client.bottom - inset};
    DrawFocusRect(hdc, &focus);
  }
}

// Check boxes and radio buttons: the box or circle on the left (on the right with BS_LEFTTEXT), the text
// beside it, and the focus rectangle around the text.
void paintCheckOrRadio(HWND hwnd, HDC hdc, const ButtonState &state, bool radio) {
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(hdc, &client, controlBrush(hwnd, hdc, WM_CTLCOLORSTATIC));
  bool enabled = IsWindowEnabled(hwnd), leftText = GetWindowLongA(hwnd, GWL_STYLE) & BS_LEFTTEXT;
  int size = radio ? kRadioSize : kCheckBoxSize;
  int boxX = leftText ? client.right - size : 0, boxY = (client.bottom - size) / 2;
  if (radio) {
    drawRadioCircle(*deviceContext(hdc), boxX, boxY, state, enabled);
  } else {
    drawCheckBox(hdc, boxX, boxY, state, enabled);
  }
  RECT text = leftText ? RECT{0, 0, client.right - size - kTextGap, client.bottom}
                       : RECT{size + kTextGap, 0, client.right, client.bottom};
  std::string label = windowText(hwnd);
  drawLabel(hdc, label, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled);
  if (state.focused && !label.empty()) {
    RECT extent = text;
    DrawTextA(hdc, label.c_str(), -1, &extent, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    int top = (client.bottom - font::kHeight) / 2;
    RECT focus{text.left - 1, top - 1, text.left + (extent.right - extent.left) + 1, top + font::kHeight + 1};
    focus.right = std::min(focus.right, client.right);
    DrawFocusRect(hdc, &focus);
  }
}

// Group boxes: an etched frame through the middle of the text line, broken by the text. The inside is
// left alone: the controls of the group show through.
void paintGroupBox(HWND hwnd, HDC hdc) {
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH brush = controlBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
  RECT frame{client.left, client.top + font::kHeight / 2, client.right, client.bottom};
  DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
  std::string label = windowText(hwnd);
  if (label.empty()) return;
  RECT text{client.left + 8, client.top, client.right - 8, client.top + font::kHeight};
  RECT extent = text;
  DrawTextA(hdc, label.c_str(), -1, &extent, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  RECT gap{text.left - 2, text.top, std::min(extent.right + 2, text.right + 2), text.bottom};
  FillRect(hdc, &gap, brush);
  drawLabel(hdc, label, text, DT_LEFT | DT_SINGLELINE, IsWindowEnabled(hwnd));
}

}  // namespace

void paintButton(HWND hwnd, HDC hdc, const ButtonState &state) {
  switch (UINT(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: paintCheckOrRadio(hwnd, hdc, state, false); break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: paintCheckOrRadio(hwnd, hdc, state, true); break;
    case BS_GROUPBOX: paintGroupBox(hwnd, hdc); break;
    case BS_DEFPUSHBUTTON: paintPushButton(hwnd, hdc, state, true); break;
    default: paintPushButton(hwnd, hdc, state, false); break;
  }
}

}  // namespace win32
