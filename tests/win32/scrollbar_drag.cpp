// The thumb dragged with a real mouse follows the pointer only while it stays near the bar; farther away
// the thumb goes back to where the drag began, and follows again when the pointer comes back.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "support/message_log.h"
#include "support/platform.h"

namespace {

// The drag runs inside the scroll bar's own loop, stepped by a thread timer. Each step moves the pointer,
// and once the pointer has stayed there for a whole tick, notes the last SB_THUMBTRACK position; after the
// last step the button is let go there. Wine's X11 driver at times replays an earlier pointer place just
// after a move and leaves the pointer there, so a step whose move was undone makes it again.
std::vector<POINT> moves;
std::vector<int> seen;
size_t step = 0, ticks = 0;
int stillTicks = -1;  // how long the pointer has stayed where the step sent it; -1 before it is sent
int thumb = -1;

void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
  const POINT target = moves[step];
  POINT at{};
  GetCursorPos(&at);
  const bool lost = ++ticks > 400;  // a pointer that never arrives fails the test instead of hanging it
  if (!lost && (stillTicks < 0 || at.x != target.x || at.y != target.y)) {
    stillTicks = 0;
    return platform::mouse(platform::Mouse::Move, target);
  }
  if (!lost && ++stillTicks < 2) return;
  seen.push_back(thumb);
  stillTicks = -1;
  if (!lost && ++step < moves.size()) return;
  KillTimer(nullptr, id);
  platform::mouse(platform::Mouse::Release, target);
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
