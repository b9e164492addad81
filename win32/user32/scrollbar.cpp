// user32: scroll bar values and looks. A position set outside min .. max − page + 1 is stored as the
// nearest bound; a bar with nothing to scroll is hidden unless SIF_DISABLENOSCROLL asks to keep it.
#include "user32/scrollbar.h"

#include <algorithm>

#include "gdi32/dc.h"
#include "gdi32/paint.h"
#include "user32/arrow_button.h"
#include "user32/paint.h"
#include "user32/winpos.h"

namespace win32 {
namespace {

constexpr int kMinimumThumb = 8;

}  // namespace

RECT scrollBarRect(const Window &w) {
  RECT in = nonClientInsets(w);
  int width = GetSystemMetrics(SM_CXVSCROLL);
  int right = (w.rect.right - w.rect.left) - (in.right - width);
  return {right - width, in.top, right, (w.rect.bottom - w.rect.top) - in.bottom};
}

namespace {

void drawTrack(DeviceContext &dc, const RECT &r, bool pressed) {
  // The classic dithered track: white and button face in a checkerboard, dark while pressed.
  COLORREF light = pressed ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNHIGHLIGHT);
  paint::fill(dc, r, GetSysColor(COLOR_SCROLLBAR));
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left + ((y + r.left) & 1); x < r.right; x += 2) paint::fill(dc, RECT{x, y, x + 1, y + 1}, light);
}

}  // namespace

int largestPosition(const ScrollBarState &bar) {
  int largest = bar.max - std::max(int(bar.page) - 1, 0);
  return std::max(largest, bar.min);
}

ScrollGeometry scrollGeometry(const ScrollBarState &bar, int height) {
  ScrollGeometry g{};
  g.arrow = std::min(GetSystemMetrics(SM_CYVSCROLL), height / 2);
  g.trackTop = g.arrow;
  g.trackBottom = height - g.arrow;
  int track = g.trackBottom - g.trackTop;
  int range = bar.max - bar.min + 1;
  if (track <= 0 || range <= 0) return g;
  int thumb = bar.page ? int(int64_t(track) * bar.page / range) : GetSystemMetrics(SM_CYVTHUMB);
  thumb = std::clamp(thumb, std::min(kMinimumThumb, track), track);
  if (track < kMinimumThumb) return g;
  g.thumbHeight = thumb;
  int span = largestPosition(bar) - bar.min;
  int room = track - thumb;
  g.thumbTop = g.trackTop + (span > 0 ? int(int64_t(room) * (bar.pos - bar.min) / span) : 0);
  return g;
}

ScrollPart scrollPartAt(const ScrollGeometry &g, int y) {
  if (y < g.trackTop) return UpArrow;
  if (y >= g.trackBottom) return DownArrow;
  if (g.thumbHeight == 0) return y < (g.trackTop + g.trackBottom) / 2 ? PageUpArea : PageDownArea;
  if (y < g.thumbTop) return PageUpArea;
  if (y >= g.thumbTop + g.thumbHeight) return PageDownArea;
  return Thumb;
}

int positionForThumb(const ScrollBarState &bar, const ScrollGeometry &g, int thumbTop) {
  int room = (g.trackBottom - g.trackTop) - g.thumbHeight;
  int span = largestPosition(bar) - bar.min;
  if (room <= 0 || span <= 0) return bar.min;
  int offset = std::clamp(thumbTop - g.trackTop, 0, room);
  return bar.min + int((int64_t(offset) * span + room / 2) / room);
}

void paintScrollBar(Window &w, HDC hdc) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc || !w.vscroll || !w.vscroll->shown) return;
  // While the thumb is dragged it follows the mouse, whatever position the program has set.
  ScrollBarState bar = *w.vscroll;
  if (bar.tracking) bar.pos = bar.trackPos;
  RECT r = scrollBarRect(w);
  ScrollGeometry g = scrollGeometry(bar, r.bottom - r.top);
  bool enabled = largestPosition(bar) > bar.min;
  auto at = [&](int top, int bottom) { return RECT{r.left, r.top + top, r.right, r.top + bottom}; };
  drawArrowButton(hdc, at(0, g.arrow), Arrow::Up, bar.pressedPart == UpArrow, enabled);
  drawArrowButton(hdc, at(g.trackBottom, r.bottom - r.top), Arrow::Down, bar.pressedPart == DownArrow, enabled);
  if (g.thumbHeight == 0 || !enabled) {
    drawTrack(*dc, at(g.trackTop, g.trackBottom), false);
    return;
  }
  drawTrack(*dc, at(g.trackTop, g.thumbTop), bar.pressedPart == PageUpArea);
  drawTrack(*dc, at(g.thumbTop + g.thumbHeight, g.trackBottom), bar.pressedPart == PageDownArea);
  RECT thumb = at(g.thumbTop, g.thumbTop + g.thumbHeight);
  DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
}

}  // namespace win32

using namespace win32;

namespace {

// Shows or hides the bar as its values require; the client area changes size when it does.
void updateVisibility(Window &w, UINT mask) {
  ScrollBarState &bar = *w.vscroll;
  if (!(mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL))) return;
  bool nothingToScroll = bar.min >= bar.max - std::max(int(bar.page) - 1, 0);
  bool show = bar.shown;
  if (nothingToScroll) {
    if (!(mask & SIF_DISABLENOSCROLL)) show = false;
  } else if (mask != SIF_PAGE) {
    show = true;
  }
  if (show == bar.shown) return;
  bar.shown = show;
  w.style = show ? (w.style | WS_VSCROLL) : (w.style & ~WS_VSCROLL);
  frameChanged(w);
}

}  // namespace

extern "C" {

int WINAPI SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO si, BOOL redraw) {
  Window *w = findWindow(hwnd);
  if (!w || bar != SB_VERT || !si) return 0;
  if (!w->vscroll) {
    w->vscroll = std::make_unique<ScrollBarState>();
    w->vscroll->shown = false;
  }
  ScrollBarState &s = *w->vscroll;
  if (si->fMask & SIF_RANGE) {
    s.min = si->nMin;
    s.max = std::max(si->nMax, si->nMin);
  }
  if (si->fMask & SIF_PAGE) s.page = si->nPage;
  // The page never exceeds the range.
  int64_t range = int64_t(s.max) - s.min + 1;
  if (int64_t(s.page) > range) s.page = UINT(range);
  if (si->fMask & SIF_POS) s.pos = si->nPos;
  s.pos = std::clamp(s.pos, s.min, largestPosition(s));
  int pos = s.pos;
  updateVisibility(*w, si->fMask);
  if (redraw && (w = findWindow(hwnd, false))) paintFrame(*w);
  return pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO si) {
  Window *w = findWindow(hwnd);
  if (!w || bar != SB_VERT || !si || !w->vscroll || !(si->fMask & SIF_ALL)) return FALSE;
  const ScrollBarState &s = *w->vscroll;
  if (si->fMask & SIF_RANGE) {
    si->nMin = s.min;
    si->nMax = s.max;
  }
  if (si->fMask & SIF_PAGE) si->nPage = s.page;
  if (si->fMask & SIF_POS) si->nPos = s.pos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = s.tracking ? s.trackPos : s.pos;
  return TRUE;
}

int WINAPI GetScrollPos(HWND hwnd, int bar) {
  Window *w = findWindow(hwnd);
  if (!w || bar != SB_VERT || !w->vscroll) return 0;
  return w->vscroll->pos;
}

}  // extern "C"
