// The thumb dragged with a real mouse follows the pointer only while it stays near the bar; farther away
// the thumb goes back to where the drag began, and follows again when the pointer comes back.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "support/message_log.h"
#include "support/platform.h"

namespace {

// The drag runs inside the scroll bar's own loop: each tick of a thread timer notes the last SB_THUMBTRACK
// position, then moves the pointer on; the last tick lets go where the last move went.
std::vector<POINT> moves;
std::vector<int> seen;
size_t ticks = 0;
int thumb = -1;

void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
  if (ticks > 0) seen.push_back(thumb);
  if (ticks < moves.size()) return platform::mouse(platform::Mouse::Move, moves[ticks++]);
  KillTimer(nullptr, id);
  platform::mouse(platform::Mouse::Release, moves.back());
}

TEST(ScrollBarDrag, TheThumbGoesBackWhileThePointerIsFarFromTheBar) {
  MessageLog log;
  HWND top = log.createTopLevel(WS_POPUP | WS_VISIBLE, 200, 300);
  MoveWindow(top, 400, 300, 200, 300, TRUE);
  HWND child = log.createChild(top, WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 217);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};  // positions 0 to 90
  SetScrollInfo(child, SB_VERT, &si, TRUE);
  MessageLog::pump();
  const int w = GetSystemMetrics(SM_CXVSCROLL), x = 500 - w / 2, y = 400;
  const RECT bar{500 - w, 300, 500, 517};  // on the screen
  constexpr int kFollows = -1, kOriginal = 0, kEnd = 90;
  struct Step {
    POINT at;
    int thumb;
  } steps[] = {
      {{x, y}, kFollows},
      {{bar.right + 8 * w - 1, y}, kFollows},  // eight widths right, less a pixel
      {{bar.right + 8 * w, y}, kOriginal},
      {{x, y}, kFollows},
      {{bar.left - 8 * w, y}, kFollows},
      {{bar.left - 8 * w - 1, y}, kOriginal},
      {{x, bar.bottom + 2 * w - 1}, kEnd},  // two widths below, less a pixel: the thumb at the end
      {{x, bar.bottom + 2 * w}, kOriginal},
  };
  for (const Step &step : steps) moves.push_back(step.at);
  std::vector<WPARAM> codes;
  log.handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT &result) {
    if (hwnd != child || message != WM_VSCROLL) return false;
    codes.push_back(wParam);
    if (LOWORD(wParam) == SB_THUMBTRACK) thumb = HIWORD(wParam);
    result = 0;
    return true;
  };
  platform::mouse(platform::Mouse::Press, {x, bar.top + w + 2});  // on the thumb, at the top of the track
  SetTimer(nullptr, 0, 10, tick);
  MessageLog::pump();
  ASSERT_EQ(seen.size(), std::size(steps));
  const int follows = seen[0];
  EXPECT_GT(follows, 0);
  EXPECT_LT(follows, kEnd);
  for (size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(seen[i], steps[i].thumb == kFollows ? follows : steps[i].thumb) << "step " << i;
  // Let go far away, the thumb stays where the drag began.
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[codes.size() - 2], MAKEWPARAM(SB_THUMBPOSITION, kOriginal));
  EXPECT_EQ(codes.back(), WPARAM(SB_ENDSCROLL));
}

}  // namespace
