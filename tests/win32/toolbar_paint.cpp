// What the toolbar looks like: flat buttons at rest, hot and pressed, the greyed look, the divider.
#include <gtest/gtest.h>

#include "gdi32/dib.h"
#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;
using win32::backend::EventType;

constexpr int kImageSize = 18, kImageHeight = 17;  // the strip is 17 pixels high
constexpr int kImageOffset = 3;                     // (25 - 18) / 2 across, (24 - 18) / 2 down

class ToolbarPaint : public testing::Test {
 protected:
  void SetUp() override {
    strip = win32::loadBitmapResource(MAKEINTRESOURCEA(IDB_TOOLBAR));
    ASSERT_TRUE(strip);
    parent = createParent();
    toolbar = createProgramToolbar(parent);
    ASSERT_NE(toolbar, nullptr);
    pump();
  }
  void TearDown() override { DestroyWindow(parent); }

  COLORREF bitmapPixel(int image, int x, int y) {
    return win32::colorOf(strip->image.at(image * kImageSize + x, y) & 0xFFFFFF);
  }
  COLORREF at(int x, int y) { return pixel(toolbar, x, y); }

  // The image drawn with its top-left at (x, y) matches the bitmap, pixel for pixel.
  void expectImage(int image, int x, int y) {
    for (int py = 0; py < kImageHeight; ++py)
      for (int px = 0; px < kImageSize; ++px)
        ASSERT_EQ(at(x + px, y + py), bitmapPixel(image, px, py)) << px << "," << py;
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

  std::optional<win32::Dib> strip;
  HWND parent = nullptr, toolbar = nullptr;
};

TEST_F(ToolbarPaint, AtRestFlatButtonsHaveNoEdge) {
  RECT r = itemRect(toolbar, 0);
  expectEdge(r, kFace, kFace);
  expectImage(0, r.left + kImageOffset, r.top + kImageOffset);
}

TEST_F(ToolbarPaint, HotButtonIsRaised) {
  RECT r = itemRect(toolbar, 2);
  moveTo(toolbar, centreOf(r));
  expectEdge(r, kHighlight, kShadow);
  expectImage(2, r.left + kImageOffset, r.top + kImageOffset);
  expectEdge(itemRect(toolbar, 0), kFace, kFace);

  moveTo(parent, POINT{10, 200});
  expectEdge(r, kFace, kFace);
}

TEST_F(ToolbarPaint, PressedButtonIsSunkenWithItsImageMoved) {
  RECT r = itemRect(toolbar, 9);
  mouse(toolbar, EventType::MouseDown, centreOf(r));
  expectEdge(r, kShadow, kHighlight);
  expectImage(6, r.left + kImageOffset + 1, r.top + kImageOffset + 1);
  mouse(toolbar, EventType::MouseUp, centreOf(r));
  expectEdge(r, kHighlight, kShadow);
  expectImage(6, r.left + kImageOffset, r.top + kImageOffset);
}

// The image's dark parts in grey, over a white copy one pixel down and right; the face and the white
// parts of the image leave no trace. The pointer does not light a greyed button.
TEST_F(ToolbarPaint, GreyedButtonIsEmbossed) {
  RECT r = itemRect(toolbar, 1);
  moveTo(toolbar, centreOf(r));
  expectEdge(r, kFace, kFace);
  auto shape = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= kImageSize || y >= kImageHeight) return false;
    COLORREF c = bitmapPixel(1, x, y);
    return c != kFace && c != kHighlight;
  };
  int left = r.left + kImageOffset, top = r.top + kImageOffset, shapes = 0;
  for (int y = 0; y <= kImageHeight; ++y)
    for (int x = 0; x <= kImageSize; ++x) {
      COLORREF expected = shape(x, y) ? kShadow : shape(x - 1, y - 1) ? kHighlight : kFace;
      shapes += shape(x, y);
      ASSERT_EQ(at(left + x, top + y), expected) << x << "," << y;
    }
  EXPECT_GT(shapes, 20) << "the Save image has a shape to emboss";
}

// The yellow of the Open folder turns grey and back.
TEST_F(ToolbarPaint, StateChangesRedraw) {
  RECT r = itemRect(toolbar, 0);
  POINT folder{r.left + kImageOffset + 2, r.top + kImageOffset + 3};
  ASSERT_EQ(at(folder.x, folder.y), RGB(255, 255, 0));
  SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, TBSTATE_INDETERMINATE);
  pump();
  EXPECT_EQ(at(folder.x, folder.y), kShadow);
  SendMessageA(toolbar, TB_SETSTATE, IDM_OPEN, TBSTATE_ENABLED);
  pump();
  EXPECT_EQ(at(folder.x, folder.y), RGB(255, 255, 0));
}

TEST_F(ToolbarPaint, SeparatorIsAnEtchedLine) {
  RECT r = itemRect(toolbar, 3);  // 75..83: the line at 78 and 79
  EXPECT_EQ(at(78, 10), kShadow);
  EXPECT_EQ(at(79, 10), kHighlight);
  EXPECT_EQ(at(77, 10), kFace);
  EXPECT_EQ(at(80, 10), kFace);
  EXPECT_EQ(at(78, r.top), kFace);
  EXPECT_EQ(at(78, r.bottom - 3), kFace);
}

// The divider is the toolbar's non-client part: an etched line above its client area.
TEST_F(ToolbarPaint, DividerAlongTheTop) {
  RECT client;
  GetClientRect(parent, &client);
  for (int x : {0, 150, int(client.right) - 1}) {
    EXPECT_EQ(pixel(parent, x, 0), kShadow) << x;
    EXPECT_EQ(pixel(parent, x, 1), kHighlight) << x;
  }
  EXPECT_EQ(pixel(parent, 300, 2), kFace) << "the client area begins under the divider";
}

}  // namespace
