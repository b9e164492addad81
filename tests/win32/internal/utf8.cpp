// Texts for the desktop: well-formed UTF-8 passes unchanged, every other byte shows as U+FFFD.
#include <gtest/gtest.h>

#include "backend/sdl/utf8.h"

namespace {

TEST(DisplayText, BytesThatAreNotUtf8ShowAsReplacementCharacters) {
  const std::string bad = "\xEF\xBF\xBD";
  struct Case {
    std::string in, shown;
  } cases[] = {{"Oxbyte - 数据.bin [4 字节]", "Oxbyte - 数据.bin [4 字节]"},
               {"ab\xFF.bin", "ab" + bad + ".bin"},
               {"\xC3", bad},                           // cut short at the end
               {"\xC0\xAF", bad + bad},                 // an overlong '/'
               {"\xED\xA0\x80", bad + bad + bad},       // a UTF-16 surrogate
               {"\xF4\x90\x80\x80", bad + bad + bad + bad},  // past U+10FFFF
               {"\xF0\x9F\x98\x80!", "\xF0\x9F\x98\x80!"}};
  for (const Case &c : cases) EXPECT_EQ(win32::backend::displayText(c.in), c.shown) << c.in;
}

}  // namespace
