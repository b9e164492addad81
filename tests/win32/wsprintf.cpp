// Tests for wsprintfA. Expected texts are what Windows gives (checked under Wine).
#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include <string>

namespace {

// Formats into a buffer much larger than the limit, so that writing past it would show.
struct Output {
  char text[2048];
  int result;
};

#define FORMAT(...)                             \
  [&] {                                         \
    Output o;                                   \
    memset(o.text, 'Z', sizeof o.text);         \
    o.result = wsprintfA(o.text, __VA_ARGS__);  \
    return o;                                   \
  }()

void expectText(const Output &o, const char *expected) {
  EXPECT_STREQ(o.text, expected);
  EXPECT_EQ(o.result, static_cast<int>(strlen(expected)));
}

TEST(Wsprintf, Integers) {
  expectText(FORMAT("%d|%i|%u", -5, -6, -7), "-5|-6|4294967289");
  expectText(FORMAT("%d", static_cast<int>(0x80000000)), "-2147483648");
  expectText(FORMAT("%x|%X|%#x|%#X", 0xabcu, 0xabcu, 0xabcu, 0xabcu), "abc|ABC|0xabc|0XABC");
  expectText(FORMAT("%lu|%ld|%lx|%lX|%li", 4000000000u, -3, 0xdeadbeefu, 0xbeefu, -9),
             "4000000000|-3|deadbeef|BEEF|-9");
  expectText(FORMAT("%I64d|%I64u|%I64X", -5ll, 18446744073709551615ull, 0x123456789ABull),
             "-5|18446744073709551615|123456789AB");
  expectText(FORMAT("%u", 0u), "0");
}

TEST(Wsprintf, WidthPrecisionAndFlags) {
  expectText(FORMAT("%5d|%-5d|%05d|%-05d|", 42, 42, 42, 42), "   42|42   |00042|42   |");
  expectText(FORMAT("%05d|%5d|%-6d|", -42, -42, -42), "-0042|  -42|-42   |");
  expectText(FORMAT("%.3d|%.3x|%8.3d|", 7, 7u, 7), "007|007|     007|");
  // The width does not count the "0x" prefix, and '#' gives it even to zero.
  expectText(FORMAT("%#5x|%#05x|%#x|%-#8x|", 0x1fu, 0x1fu, 0u, 255u), "   0x1f|0x0001f|0x0|0xff      |");
}

TEST(Wsprintf, CharactersAndStrings) {
  expectText(FORMAT("%c|%3c|%-3c|", 'A', 'B', 'C'), "A|  B|C  |");
  expectText(FORMAT("%s|%10s|%-10s|%.2s|%5.2s|", "abc", "abc", "abc", "abc", "abc"),
             "abc|       abc|abc       |ab|   ab|");
  expectText(FORMAT("%.0s|%.s|", "abc", "abc"), "abc|abc|");  // a precision of 0 is no precision
  expectText(FORMAT("%s", static_cast<const char *>(nullptr)), "(null)");
  expectText(FORMAT("\xE6\x97\xA0\xE6\xB3\x95:%s", "\xE6\x96\x87"), "\xE6\x97\xA0\xE6\xB3\x95:\xE6\x96\x87");
}

// What wsprintfA does not know is printed as text and takes no argument.
TEST(Wsprintf, UnknownConversionsArePrintedAsText) {
  expectText(FORMAT("%%|%q|%", 1), "%|q|");
  expectText(FORMAT("%+d|% d|%*d|%f|%s", "next"), "+d| d|*d|f|next");
  expectText(FORMAT("%lld|%d", 5, 6), "ld|5");
  expectText(FORMAT("%#o", 8), "o");
}

TEST(Wsprintf, OutputStopsAt1024BytesWithTheNul) {
  struct Case {
    size_t length;
    int result;
    size_t stored;
  } cases[] = {{1022, 1022, 1022}, {1023, 1024, 1023}, {1024, 1024, 1023}, {1500, 1024, 1023}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.length);
    std::string text(c.length, 'a');
    Output viaString = FORMAT("%s", text.c_str());
    Output viaFormat = FORMAT(text.c_str());
    for (const Output &o : {viaString, viaFormat}) {
      EXPECT_EQ(o.result, c.result);
      EXPECT_EQ(strlen(o.text), c.stored);
      EXPECT_EQ(o.text[1024], 'Z');  // nothing written past the limit
    }
  }
  Output mixed = FORMAT("%s%d", std::string(1020, 'a').c_str(), 12345);
  EXPECT_EQ(mixed.result, 1024);
  EXPECT_EQ(std::string(mixed.text + 1018), "aa123");
}

}  // namespace
