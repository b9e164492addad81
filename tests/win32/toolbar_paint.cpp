// What the toolbar looks like: flat buttons at rest, hot and pressed, the greyed look, the divider, and
// the parent's background showing through a flat toolbar.
#include <gtest/gtest.h>

#include "support/wine.h"
#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;

constexpr int kImageSize = 18, kImageHeight = 17;  // the strip is 17 pixels high
constexpr int kImageOffset = 3;                     // (25 - 18) / 2 across, (24 - 18) / 2 down
constexpr COLORREF kAnything = CLR_INVALID;         // a pixel an expectation leaves unchecked

class ToolbarPaint : public testing::Test {
 protected:
  void SetUp() override {
    strip = ResourceBitmap::load(IDB_TOOLBAR);
    ASSERT_EQ(strip.width, 7 * kImageSize);
    ASSERT_EQ(strip.height, kImageHeight);
    parent = createParent();
    toolbar = createProgramToolbar(parent);
    ASSERT_NE(toolbar, nullptr);
    pump();
  }
  void TearDown() override {
    DestroyWindow(parent);
    parkPointer();
  }

  // A flat toolbar is transparent: the parent's own background shows through it.
  static COLORREF background() { return kParentColour; }

  // The bitmap's pixel as the toolbar shows it: its black, greys and white are the user's colours
  // (CreateMappedBitmap's default map), and its light grey is transparent, showing `behind`.
  COLORREF bitmapPixel(int image, int x, int y, COLORREF behind = background()) {
    switch (strip.at(image * kImageSize + x, y)) {
      case RGB(0, 0, 0): return GetSysColor(COLOR_BTNTEXT);
      case RGB(128, 128, 128): return shadow();
      case RGB(192, 192, 192): return behind;
      case RGB(255, 255, 255): return highlight();
      default: return strip.at(image * kImageSize + x, y);
    }
  }
  COLORREF at(int x, int y) { return pixel(toolbar, x, y); }

  // The image drawn with its top-left at (x, y) matches the bitmap, pixel for pixel; its transparent
  // pixels show `behind` (unless that is kAnything).
  void expectImage(int image, int x, int y, COLORREF behind = background()) {
    for (int py = 0; py < kImageHeight; ++py)
      for (int px = 0; px < kImageSize; ++px) {
        COLORREF expected = bitmapPixel(image, px, py, behind);
        if (expected != kAnything) {
          ASSERT_EQ(at(x + px, y + py), expected) << px << "," << py;
        }
      }
  }

  // Every pixel of the button's outline is `topLeft` along the top and left, `bottomRight` along the
  // bottom and right.
  void expectEdge(const RECT &r, COLORREF topLeft, COLORREF bottomRight) {
    for (int x = r.left; x < r.right - 1; ++x) {
      EXPECT_EQ(at(x, r.top), topLeft) << x;
      EXPECT_EQ(at(x + 1, r.bottom - 1), bottomRight) << x;
    }
    for (int y = r.top; y < r.bottom - 1; ++y) {
      EXPECT_EQ(at(r.left, y), topLeft) << y;
      EXPECT_EQ(at(r.right - 1, y + 1), bottomRight) << y;
    }
  }

  // Some pixel of the button's outline is not the background: a frame is drawn.
  void expectSomeFrame(const RECT &r) {
    int framed = 0;
    for (int x = r.left; x < r.right; ++x)
      framed += (at(x, r.top) != background()) + (at(x, r.bottom - 1) != background());
    EXPECT_GT(framed, 0);
  }

  ResourceBitmap strip;
  HWND parent = nullptr, toolbar = nullptr;
};

TEST_F(ToolbarPaint, AtRestFlatButtonsHaveNoEdge) {
  RECT r = itemRect(toolbar, 0);
  expectEdge(r, background(), background());
  expectImage(0, r.left + kImageOffset, r.top + kImageOffset);
}

TEST_F(ToolbarPaint, HotButtonIsRaised) {
  RECT r = itemRect(toolbar, 2);
  moveTo(toolbar, centreOf(r));
  if (themed()) {
    expectSomeFrame(r);
    expectImage(2, r.left + kImageOffset, r.top + kImageOffset, kAnything);
  } else {
    expectEdge(r, highlight(), shadow());
    expectImage(2, r.left + kImageOffset, r.top + kImageOffset);
  }
  expectEdge(itemRect(toolbar, 0), background(), background());

  // The toolbar hears that the pointer left it: at once on Windows, on Wine's next check of the
  // pointer, which waits the mouse-hover time (400 ms).
  moveTo(parent, POINT{10, 200});
  wait(400, 2);
  expectEdge(r, background(), background());
}

TEST_F(ToolbarPaint, PressedButtonIsSunkenWithItsImageMoved) {
  RECT r = itemRect(toolbar, 9);
  press(toolbar, centreOf(r));
  if (themed()) {
    expectSomeFrame(r);
    expectImage(6, r.left + kImageOffset + 1, r.top + kImageOffset + 1, kAnything);
  } else {
    expectEdge(r, shadow(), highlight());
    expectImage(6, r.left + kImageOffset + 1, r.top + kImageOffset + 1);
  }
  release(toolbar, centreOf(r));
  if (themed()) {
    expectImage(6, r.left + kImageOffset, r.top + kImageOffset, kAnything);
  } else {
    expectEdge(r, highlight(), shadow());
    expectImage(6, r.left + kImageOffset, r.top + kImageOffset);
  }
}

// The image's dark parts in grey, over a white copy one pixel down and right; the transparent and the
// white parts of the image leave no trace. The pointer does not light a greyed button.
TEST_F(ToolbarPaint, GreyedButtonIsEmbossed) {
  RECT r = itemRect(toolbar, 1);
  moveTo(toolbar, centreOf(r));
  expectEdge(r, background(), background());
  auto shape = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= kImageSize || y >= kImageHeight) return false;
    COLORREF c = strip.at(kImageSize + x, y);
    return c != RGB(192, 192, 192) && c != RGB(255, 255, 255);
  };
  int left = r.left + kImageOffset, top = r.top + kImageOffset, shapes = 0;
  for (int y = 0; y <= kImageHeight; ++y)
    for (int x = 0; x <= kImageSize; ++x) {
      COLORREF expected = shape(x, y) ? shadow() : shape(x - 1, y - 1) ? highlight() : background();
      shapes += shape(x, y);
      ASSERT_EQ(at(left + x, top + y), expected) << x << "," << y;
    }
  EXPECT_GT(shapes, 20) << "the Save image has a shape to emboss";
}

// The yellow of the Open folder turns grey and back.
TEST_F(ToolbarPaint, StateChangesRedraw) {
  RECT r = itemRect(toolbar, 0);
  ASSERT_EQ(bitmapPixel(0, 2, 3), RGB(255, 255, 0));
  POINT folder{r.left + kImageOffset + 2, r.top + kImageOffset + 3};
  ASSERT_EQ(at(folder.x, folder.y), RGB(255, 255, 0));
  SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, TBSTATE_INDETERMINATE);
  pump();
  EXPECT_EQ(at(folder.x, folder.y), shadow());
  SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, TBSTATE_ENABLED);
  pump();
  EXPECT_EQ(at(folder.x, folder.y), RGB(255, 255, 0));
}

// A grey line with a white one right of it, down the middle of the separator; its ends stay clear. On
// the stand-in the line runs from the item's second row to its fourth row from the bottom; where
// Windows' classic drawing ends it is not established here. Wine's classic drawing runs it from the third
// row to the third from the bottom.
TEST_F(ToolbarPaint, SeparatorIsAnEtchedLine) {
  RECT r = itemRect(toolbar, 3);  // 75..83: the line at 78 and 79
  const int middle = (r.top + r.bottom) / 2;
  if (themed()) {
    int line = 0;
    for (int x = r.left; x < r.right; ++x) line += at(x, middle) != background();
    EXPECT_GT(line, 0);
  } else {
    EXPECT_EQ(at(78, middle), shadow());
    EXPECT_EQ(at(79, middle), highlight());
    EXPECT_EQ(at(77, middle), background());
    EXPECT_EQ(at(80, middle), background());
    const int first = r.top + (runningUnderWine() ? 2 : 1), last = r.bottom - (runningUnderWine() ? 3 : 4);
    EXPECT_EQ(at(78, first - 1), background());
    EXPECT_EQ(at(78, first), shadow());
    EXPECT_EQ(at(78, last), shadow());
    EXPECT_EQ(at(78, last + 1), background());
  }
  EXPECT_EQ(at(78, r.top), background());
  EXPECT_EQ(at(78, r.bottom - 1), background());
}

// The divider is the toolbar's non-client part: an etched line above its client area.
TEST_F(ToolbarPaint, DividerAlongTheTop) {
  RECT window;
  GetWindowRect(toolbar, &window);
  for (int x : {0, 150, int(window.right - window.left) - 1}) {
    EXPECT_EQ(screen::windowPixel(toolbar, x, 0), shadow()) << x;
    EXPECT_EQ(screen::windowPixel(toolbar, x, 1), highlight()) << x;
  }
  EXPECT_EQ(screen::windowPixel(toolbar, 300, 2), background()) << "the client area begins under the divider";
}

// A flat toolbar has its parent erase the background under it; where the parent answers that it left
// its background unerased (as the program's frame does), the toolbar erases it in the button face.
TEST_F(ToolbarPaint, UnerasedByItsParentTheToolbarShowsTheFace) {
  RECT client;
  GetClientRect(toolbar, &client);
  EXPECT_EQ(at(300, 10), background());
  parentLog().leavesBackgroundUnerased = true;
  InvalidateRect(parent, nullptr, TRUE);
  InvalidateRect(toolbar, nullptr, TRUE);
  pump();
  EXPECT_EQ(pixel(parent, 10, 200), kUnerasedColour) << "the parent painted its own background";
  EXPECT_EQ(at(300, 10), face());
  EXPECT_EQ(at(client.right - 1, client.bottom - 1), face());
  RECT r = itemRect(toolbar, 0);
  expectImage(0, r.left + kImageOffset, r.top + kImageOffset, face());
}

}  // namespace
