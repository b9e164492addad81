// The stand-in's reading of menu templates: what it refuses. Windows reads a template it is given as far
// as the template says, and knows extended ones; the stand-in knows only the standard format and checks
// every template against the bytes it has.
#include "user32/menu_template.h"

#include <gtest/gtest.h>

#include "kernel32/resource.h"
#include "resources/resource.h"
#include "win32/byte_builder.h"

namespace {

std::span<const uint8_t> mainMenuBytes() { return win32::findResourceData(RT_MENU, MAKEINTRESOURCEA(IDR_MAINMENU)); }

TEST(MenuTemplate, RefusesBrokenTemplates) {
  ByteBuilder extended;
  extended.u16(1).u16(4).u32(0).u16(MF_END).u16(1).text(u"x");
  ByteBuilder headerPastEnd;
  headerPastEnd.u16(0).u16(100).u16(MF_END).u16(1).text(u"x");
  ByteBuilder tooDeep;
  tooDeep.u16(0).u16(0);
  for (int i = 0; i < 100; ++i) tooDeep.u16(MF_POPUP | MF_END).text(u"p");
  for (const ByteBuilder *bytes : {&extended, &headerPastEnd, &tooDeep}) {
    EXPECT_FALSE(win32::parseMenuTemplate(bytes->span()));
  }
  std::span<const uint8_t> real = mainMenuBytes();
  for (size_t length = 0; length < real.size(); ++length) {
    std::vector<uint8_t> cut(real.begin(), real.begin() + length);
    EXPECT_FALSE(win32::parseMenuTemplate(cut)) << length;
  }
}

}  // namespace
