// user32: filling, framing and text layout on a device context.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "gdi32/dc.h"
#include "gdi32/font.h"
#include "gdi32/paint.h"

using namespace win32;

namespace {

// A brush handle may also be a system colour index plus one, as in WNDCLASS backgrounds.
bool brushColor(HBRUSH brush, COLORREF &color) {
  auto value = reinterpret_cast<uintptr_t>(brush);
  if (value >= 1 && value <= COLOR_INFOBK + 1) {
    color = GetSysColor(int(value - 1));
    return true;
  }
  GdiObject *object = gdiObjectOf(brush, GdiKind::Brush);
  if (!object || object->hollow) return false;
  color = object->color;
  return true;
}

struct Line {
  std::string text;
  int width;
  int underlineAt = -1;  // pixel offset of the character after '&', or -1
  int underlineWidth = 0;
};

// Removes '&' prefixes ("&&" stands for one '&') and notes where the access key underline goes.
Line stripPrefix(std::string_view text, bool noPrefix) {
  Line line;
  int x = 0;
  for (size_t i = 0; i < text.size();) {
    if (!noPrefix && text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && line.underlineAt < 0) {
        size_t j = i;
        line.underlineWidth = font::glyph(font::nextCodePoint(text, j)).width;
        line.underlineAt = x;
      }
    }
    size_t start = i;
    uint32_t cp = font::nextCodePoint(text, i);
    line.text.append(text.substr(start, i - start));
    x += font::glyph(cp).width;
  }
  line.width = x;
  return line;
}

// Breaks text into lines at newlines and, when asked, between words (or anywhere in long CJK runs).
std::vector<Line> layout(std::string_view text, int maxWidth, UINT format) {
  std::vector<Line> lines;
  bool single = format & DT_SINGLELINE, wrap = (format & DT_WORDBREAK) && !single;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = single ? text.size() : text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view para = text.substr(start, end - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    while (wrap && font::textWidth(para) > maxWidth && !para.empty()) {
      size_t fit = 0, lastSpace = std::string_view::npos;
      int width = 0;
      for (size_t i = 0; i < para.size();) {
        size_t before = i;
        int w = font::glyph(font::nextCodePoint(para, i)).width;
        if (width + w > maxWidth && fit > 0) break;
        width += w;
        if (para[before] == ' ') lastSpace = before;
        fit = i;
      }
      size_t cut = (lastSpace != std::string_view::npos && lastSpace > 0 && fit < para.size()) ? lastSpace : fit;
      lines.push_back(stripPrefix(para.substr(0, cut), format & DT_NOPREFIX));
      para.remove_prefix(cut);
      while (!para.empty() && para.front() == ' ') para.remove_prefix(1);
    }
    lines.push_back(stripPrefix(para, format & DT_NOPREFIX));
    if (end >= text.size()) break;
    start = end + 1;
  }
  return lines;
}

// As Windows draws it: one row below the row under the baseline, so a blank row parts it from the
// letter, and one pixel short of the character's advance, so neighbouring underlines never join.
void drawUnderline(DeviceContext &dc, int x, int top, int advance, COLORREF color) {
  int row = top + font::kAscent + 1;
  paint::fill(dc, RECT{x, row, x + advance - 1, row + 1}, color);
}

}  // namespace

extern "C" {

int WINAPI FillRect(HDC hdc, const RECT *rect, HBRUSH brush) {
  DeviceContext *dc = deviceContext(hdc);
  COLORREF color;
  if (!dc || !rect || !brushColor(brush, color)) return 0;
  paint::fill(*dc, *rect, color);
  return 1;
}

int WINAPI FrameRect(HDC hdc, const RECT *r, HBRUSH brush) {
  DeviceContext *dc = deviceContext(hdc);
  COLORREF color;
  if (!dc || !r || !brushColor(brush, color)) return 0;
  paint::fill(*dc, RECT{r->left, r->top, r->right, r->top + 1}, color);
  paint::fill(*dc, RECT{r->left, r->bottom - 1, r->right, r->bottom}, color);
  paint::fill(*dc, RECT{r->left, r->top, r->left + 1, r->bottom}, color);
  paint::fill(*dc, RECT{r->right - 1, r->top, r->right, r->bottom}, color);
  return 1;
}

// A dotted rectangle drawn by inverting every other pixel, so drawing it twice removes it.
BOOL WINAPI DrawFocusRect(HDC hdc, const RECT *r) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc || !r) return FALSE;
  for (int x = r->left; x < r->right; ++x) {
    if ((x - r->left) % 2) continue;
    paint::invert(*dc, RECT{x, r->top, x + 1, r->top + 1});
    paint::invert(*dc, RECT{x, r->bottom - 1, x + 1, r->bottom});
  }
  for (int y = r->top + 1; y < r->bottom - 1; ++y) {
    if ((y - r->top) % 2) continue;
    paint::invert(*dc, RECT{r->left, y, r->left + 1, y + 1});
    paint::invert(*dc, RECT{r->right - 1, y, r->right, y + 1});
  }
  return TRUE;
}

// Each of the two lines of the edge: light on the top and left, dark on the bottom and right when raised.
BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc || !rect) return FALSE;
  RECT r = *rect;
  auto line = [&](int topLeft, int bottomRight) {
    COLORREF tl = GetSysColor(topLeft), br = GetSysColor(bottomRight);
    if (flags & BF_TOP) paint::fill(*dc, RECT{r.left, r.top, r.right, r.top + 1}, tl);
    if (flags & BF_LEFT) paint::fill(*dc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl);
    if (flags & BF_BOTTOM) paint::fill(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
    if (flags & BF_RIGHT) paint::fill(*dc, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  };
  bool soft = flags & BF_SOFT;
  if (edge & BDR_RAISEDOUTER) line(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW);
  if (edge & BDR_SUNKENOUTER) line(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  if (edge & BDR_RAISEDINNER) line(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  if (edge & BDR_SUNKENINNER) line(COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  if (flags & BF_MIDDLE) paint::fill(*dc, r, GetSysColor(COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc || !text || !rect) return 0;
  std::string_view all(text, count < 0 ? std::strlen(text) : size_t(count));
  std::vector<Line> lines = layout(all, rect->right - rect->left, format);
  int height = int(lines.size()) * font::kHeight, widest = 0;
  for (const Line &l : lines) widest = std::max(widest, l.width);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  int y = rect->top;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) y = rect->top + (rect->bottom - rect->top - font::kHeight) / 2;
  if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) y = rect->bottom - font::kHeight;
  DeviceContext clipped = *dc;
  if (!(format & DT_NOCLIP)) {
    Region clip = dc->clip;
    clip.intersect(rectOffset(*rect, dc->origin.x, dc->origin.y));
    clipped.clip = clip;
  }
  const COLORREF *background = dc->bkMode == OPAQUE ? &dc->bkColor : nullptr;
  for (const Line &l : lines) {
    int x = rect->left;
    if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - l.width) / 2;
    if (format & DT_RIGHT) x = rect->right - l.width;
    paint::text(clipped, x, y, l.text, dc->textColor, background);
    if (l.underlineAt >= 0 && !(format & DT_HIDEPREFIX))
      drawUnderline(clipped, x + l.underlineAt, y, l.underlineWidth, dc->textColor);
    y += font::kHeight;
  }
  return height;
}

}  // extern "C"
