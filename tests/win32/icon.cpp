// The program's icon as DrawIcon shows it: its own pixels where it is opaque, the window's background
// where it is transparent.
#include <gtest/gtest.h>
#include <windows.h>

#include "resources/resource.h"
#include "support/message_log.h"
#include "support/platform_screen.h"

namespace {

TEST(Icon, TheProgramIconIsDrawnWithItsTransparency) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_OXBYTE));
  ASSERT_NE(icon, nullptr);
  MessageLog log;
  log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT &result) {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    DrawIcon(dc, 10, 10, icon);
    EndPaint(hwnd, &ps);
    result = 0;
    return true;
  };
  HWND w = log.createTopLevel(WS_POPUP | WS_VISIBLE, 100, 100);  // on the class's white background
  const COLORREF white = RGB(255, 255, 255);
  struct Pixel {
    int x, y;  // in the icon's 32 x 32 image
    bool shown;
  } pixels[] = {{0, 0, false}, {31, 31, false}, {1, 1, true}, {30, 3, true}};
  for (const Pixel &p : pixels) {
    COLORREF color = screen::clientPixel(w, 10 + p.x, 10 + p.y);
    EXPECT_EQ(color != white, p.shown) << p.x << "," << p.y;
  }
  EXPECT_EQ(screen::clientPixel(w, 11, 11), RGB(0, 0, 0));  // the frame of the window it pictures
}

}  // namespace
