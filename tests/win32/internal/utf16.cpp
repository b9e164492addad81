// UTF-16 <-> UTF-8 conversion, including the replacement of broken sequences.
#include "kernel32/utf16.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf16, ConvertsBothWays) {
  struct Case {
    std::u16string wide;
    std::string narrow;
  } cases[] = {
      {u"", ""},
      {u"Oxbyte", "Oxbyte"},
      {u"\u00e9", "\xc3\xa9"},
      {u"\u67e5\u627e(&F)", "\xe6\x9f\xa5\xe6\x89\xbe(&F)"},  // 查找(&F)
      {u"\U0001F600", "\xf0\x9f\x98\x80"},                    // a surrogate pair
  };
  for (const Case &c : cases) {
    EXPECT_EQ(win32::utf16ToUtf8(c.wide), c.narrow);
    EXPECT_EQ(win32::utf8ToUtf16(c.narrow), c.wide);
  }
}

TEST(Utf16, BrokenSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(win32::utf16ToUtf8(std::u16string(1, u'\xD800') + u"a"), "\xef\xbf\xbd" "a");  // lone high
  EXPECT_EQ(win32::utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xef\xbf\xbd");             // lone low
  struct Case {
    std::string narrow;
    std::u16string wide;
  } cases[] = {
      {"\xc3", u"\uFFFD"},                   // truncated
      {"\xc0\xaf", u"\uFFFD\uFFFD"},         // overlong '/'
      {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"\xff" "a", u"\uFFFD" "a"},           // not a lead byte
      {"\xe6\x9f" "a", u"\uFFFD\uFFFD" "a"},  // continuation missing
  };
  for (const Case &c : cases) EXPECT_EQ(win32::utf8ToUtf16(c.narrow), c.wide) << c.narrow;
}

}  // namespace
