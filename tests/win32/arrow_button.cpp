// The arrow buttons of the scroll bar and the drop-down combo box, pixel for pixel: a raised or pushed
// face and a triangle four rows high that points the right way, moves down-right while pushed and turns
// grey when the button cannot be used.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/message_log.h"
#include "support/platform.h"
#include "support/platform_screen.h"
#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

using dialog_test::clientPixel;

const COLORREF kBlack = GetSysColor(COLOR_BTNTEXT), kGrey = GetSysColor(COLOR_BTNSHADOW),
               kLight = GetSysColor(COLOR_3DLIGHT), kWhite = GetSysColor(COLOR_BTNHIGHLIGHT),
               kFrame = GetSysColor(COLOR_3DDKSHADOW);

// Windows draws the arrows in the classic look to a program without a common-controls manifest; Wine
// draws them with its theme when one is active (screen::controlsThemed), which these tests do not check.
#define SKIP_WHEN_THEMED() \
  if (screen::controlsThemed()) GTEST_SKIP() << "Wine's theme draws the arrows"

struct Look {
  RECT box;     // the button, in the window's client coordinates
  bool up;      // which way the triangle points
  POINT apex;   // the triangle's tip, from the box's top-left
  bool pushed;
  COLORREF glyph;
};

// The inside of the button (its two-pixel edge left out): '#' where the glyph colour is, '.' elsewhere.
std::string inside(HWND hwnd, const Look &look) {
  std::string rows;
  for (int y = look.box.top + 2; y < look.box.bottom - 2; ++y) {
    for (int x = look.box.left + 2; x < look.box.right - 2; ++x)
      rows += clientPixel(hwnd, x, y) == look.glyph ? '#' : '.';
    rows += '\n';
  }
  return rows;
}

std::string expectedInside(const Look &look) {
  int width = look.box.right - look.box.left - 4, height = look.box.bottom - look.box.top - 4;
  std::string rows;
  for (int y = 0; y < height; ++y) rows += std::string(size_t(width), '.') + '\n';
  for (int k = 0; k < 4; ++k) {
    int y = look.apex.y + (look.up ? k : -k) - 2;
    for (int x = look.apex.x - k - 2; x <= look.apex.x + k - 2; ++x) rows[size_t(y * (width + 1) + x)] = '#';
  }
  return rows;
}

// Where Wine's classic drawing parts from the stand-in's. Windows draws the triangle from its symbol
// font, whose exact rows we have not measured; Wine draws a polygon placed by the button's proportions, up
// to a row above or below the stand-in's, so under Wine the triangle's shape and column are checked. Wine
// also draws a disabled arrow through its push-button path, with a push button's soft edge (white
// outside the light line); its own code keeps that edge away from enabled scroll arrows, as on Windows.
void expectLook(HWND hwnd, const Look &look, const char *what) {
  SCOPED_TRACE(what);
  const RECT &b = look.box;
  const bool wine = runningUnderWine(), soft = wine && look.glyph == kGrey;
  // Raised as a scroll arrow is, not as a push button: the white line lies inside a light one.
  EXPECT_EQ(clientPixel(hwnd, b.left, b.top), look.pushed ? kGrey : soft ? kWhite : kLight);
  EXPECT_EQ(clientPixel(hwnd, b.left + 1, b.top + 1),
            look.pushed ? GetSysColor(COLOR_BTNFACE) : soft ? kLight : kWhite);
  EXPECT_EQ(clientPixel(hwnd, b.right - 1, b.bottom - 1), look.pushed ? kGrey : kFrame);
  const std::string seen = inside(hwnd, look);
  if (!wine) {
    EXPECT_EQ(seen, expectedInside(look));
    return;
  }
  bool found = false;
  for (int rows : {0, -1, 1}) {
    Look moved = look;
    moved.apex.y += rows;
    found = found || seen == expectedInside(moved);
  }
  EXPECT_TRUE(found) << seen;
}

// A 100 × 217 child whose bar is the client's right 17 pixels: arrows of 17 at each end. The parent clips
// its children, as the program's frame does, or its first paint would cover the bar drawn before it.
constexpr RECT kUpArrow{83, 0, 100, 17}, kDownArrow{83, 200, 100, 217};

HWND scrollingChild(MessageLog &log) {
  HWND top = log.createTopLevel(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 200, 300);
  return log.createChild(top, WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 217);
}

struct ScrollCase {
  const char *name;
  int max;  // 0: nothing to scroll, the bar kept but disabled
  COLORREF glyph;
};

TEST(ArrowButtons, ScrollBarArrowsRaised) {
  SKIP_WHEN_THEMED();
  for (const ScrollCase &c : {ScrollCase{"enabled", 100, kBlack}, ScrollCase{"disabled", 0, kGrey}}) {
    SCOPED_TRACE(c.name);
    MessageLog log;
    HWND child = scrollingChild(log);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, c.max, 10, 0, 0};
    SetScrollInfo(child, SB_VERT, &si, TRUE);
    MessageLog::pump();
    expectLook(child, {kUpArrow, true, {8, 6}, false, c.glyph}, "up");
    expectLook(child, {kDownArrow, false, {8, 9}, false, c.glyph}, "down");
  }
}

// Only the arrow held down is pushed in.
TEST(ArrowButtons, ScrollBarArrowHeldDown) {
  SKIP_WHEN_THEMED();
  MessageLog log;
  static HWND child;
  static POINT onDownArrow;
  static bool looked = false;
  child = scrollingChild(log);
  onDownArrow = {91, 210};
  ClientToScreen(GetParent(child), &onDownArrow);
  platform::mouse(platform::Mouse::Press, onDownArrow);
  // The press runs the scroll bar's own loop; a timer inside it looks before the first repeat.
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    expectLook(child, {kUpArrow, true, {8, 6}, false, kBlack}, "up");
    expectLook(child, {kDownArrow, false, {9, 10}, true, kBlack}, "down");
    looked = true;
    platform::mouse(platform::Mouse::Release, onDownArrow);
  });
  MessageLog::pump();
  EXPECT_TRUE(looked);
}

// The combo box's button sits inside its sunken edge: 17 wide, as high as the field, the triangle's tip
// a row above the middle, and on it while the button is pushed in.
TEST(ArrowButtons, ComboBoxButton) {
  SKIP_WHEN_THEMED();
  struct {
    const char *name;
    bool dropped, enabled;
    COLORREF glyph;
  } cases[] = {
      {"closed", false, true, kBlack},
      {"dropped", true, true, kBlack},
      {"disabled", false, false, kGrey},
  };
  for (const auto &c : cases) {
    MessageLog log;
    HWND parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400);
    HWND combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 150, 122,
                                 parent, nullptr, nullptr, nullptr);
    SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("one"));
    if (c.dropped) SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EnableWindow(combo, c.enabled);
    dialog_test::pumpMessages();
    RECT field;
    GetClientRect(combo, &field);
    const RECT button{131, 2, 148, field.bottom - 2};
    // Wine pushes the button in only while the mouse button is held on it, not while the list is shown.
    const bool pushed = c.dropped && !runningUnderWine();
    const POINT apex = pushed ? POINT{9, field.bottom / 2} : POINT{8, field.bottom / 2 - 1};
    expectLook(combo, {button, false, apex, pushed, c.glyph}, c.name);
  }
}

}  // namespace
