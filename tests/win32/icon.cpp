// Icons as DrawIcon shows them: the program's icon with its own pixels where it is opaque and the
// window's background where it is transparent, and the system icons LoadIconA(NULL, IDI_*) gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>

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

// The colours a system icon is drawn in, as loose classes: Windows, Wine and the stand-in each draw their
// own pictures, with their own shades and smoothed edges, but the same colours for the same meaning.
enum class Colour { Background, Red, Amber, Blue, White, Dark, Other };

const COLORREF kBackground = RGB(0, 128, 0);  // a green none of the icons uses

Colour classOf(COLORREF c) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  if (c == kBackground) return Colour::Background;
  if (r >= 160 && g < 110 && b < 110) return Colour::Red;
  if (r >= 200 && g >= 100 && b < 100) return Colour::Amber;
  if (b >= 120 && b > r + 60 && b > g + 40) return Colour::Blue;
  if (r >= 200 && g >= 200 && b >= 200) return Colour::White;
  if (r < 80 && g < 80 && b < 80) return Colour::Dark;
  return Colour::Other;
}

// Each icon is mostly its two colours, a body and a symbol on it, in either order (the stand-in's
// information balloon is white with a blue letter, Wine's and Windows' a blue disc with a white one),
// and its corners are transparent. The thinnest symbol, Wine's exclamation mark, has 11 dark pixels.
TEST(SystemIcons, EachIconHasItsColours) {
  struct Case {
    LPCSTR id;
    Colour first, second;
  } cases[] = {
      {IDI_ERROR, Colour::Red, Colour::White},       {IDI_WARNING, Colour::Amber, Colour::Dark},
      {IDI_INFORMATION, Colour::Blue, Colour::White}, {IDI_QUESTION, Colour::Blue, Colour::White},
      {IDI_APPLICATION, Colour::White, Colour::Blue},
  };
  HICON icon = nullptr;
  MessageLog log;
  log.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT &result) {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH green = CreateSolidBrush(kBackground);
    FillRect(dc, &ps.rcPaint, green);
    DeleteObject(green);
    if (icon) DrawIcon(dc, 10, 10, icon);
    EndPaint(hwnd, &ps);
    result = 0;
    return true;
  };
  HWND w = log.createTopLevel(WS_POPUP | WS_VISIBLE, 60, 60);
  std::set<HICON> handles;
  for (const Case &c : cases) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(c.id));
    icon = LoadIconA(nullptr, c.id);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, c.id), icon) << "one shared handle";
    handles.insert(icon);
    InvalidateRect(w, nullptr, TRUE);
    std::map<Colour, int> count;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) ++count[classOf(screen::clientPixel(w, 10 + x, 10 + y))];
    EXPECT_GE(count[c.first], 8);
    EXPECT_GE(count[c.second], 8);
    EXPECT_GE(count[c.first] + count[c.second], 350);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{31, 0}})
      EXPECT_EQ(screen::clientPixel(w, 10 + x, 10 + y), kBackground) << "the corners are transparent";
  }
  EXPECT_EQ(handles.size(), std::size(cases)) << "every icon its own handle";
  EXPECT_EQ(IDI_WARNING, IDI_EXCLAMATION);
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(4711)), nullptr);
}

}  // namespace
