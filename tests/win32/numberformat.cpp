// Tests for GetNumberFormatA. Expected texts are what Windows gives (checked under Wine).
#include <gtest/gtest.h>
#include <locale.h>
#include <string.h>
#include <windows.h>

#include <string>

#include "support/wine.h"

namespace {

struct Case {
  const char *value;
  UINT digits, leadingZero, grouping, negativeOrder;
  const char *expected;
};

const Case kCases[] = {
    {"16777215", 0, 0, 3, 0, "16,777,215"},
    {"0", 0, 0, 3, 0, ""},  // no integer digits without LeadingZero
    {"0", 0, 1, 3, 0, "0"},
    {"0", 2, 0, 3, 0, ".00"},
    {"0.5", 2, 1, 3, 0, "0.50"},
    {".5", 2, 1, 3, 0, "0.50"},
    {"5.", 2, 1, 3, 0, "5.00"},
    {"001234", 0, 1, 3, 0, "1,234"},
    {"1234567.891", 2, 1, 3, 0, "1,234,567.89"},
    {"1234567.895", 2, 1, 3, 0, "1,234,567.90"},
    {"9999.999", 2, 1, 3, 0, "10,000.00"},
    {"999.5", 0, 1, 3, 0, "1,000"},  // Wine forgets to group the carried digit here
    {"1234", 10, 1, 3, 0, "1,234.0000000000"},
    {"1234567890", 0, 1, 0, 0, "1234567890"},
    {"1234567890", 0, 1, 32, 0, "1,23,45,67,890"},
    {"1234567890", 0, 1, 320, 0, "12345,67,890"},
    {"1234567890", 0, 1, 30, 0, "1234567,890"},
    {"1234567890", 0, 1, 21, 0, "1,2,3,4,5,6,7,8,90"},
    {"1234567890", 0, 1, 4, 0, "12,3456,7890"},
    {"1234", 0, 1, 10, 0, "123,4"},
    {"-1234.5", 1, 1, 3, 0, "(1,234.5)"},
    {"-1234.5", 1, 1, 3, 1, "-1,234.5"},
    {"-1234.5", 1, 1, 3, 2, "- 1,234.5"},
    {"-1234.5", 1, 1, 3, 3, "1,234.5-"},
    {"-1234.5", 1, 1, 3, 4, "1,234.5 -"},
    {"-0.001", 2, 1, 3, 1, "-0.00"},
    {"1234", 0, 1, 3, 5, "1,234"},  // the negative order matters only for negative values
};

int format(const char *value, const NUMBERFMTA &f, char *out, int size) {
  return GetNumberFormatA(LOCALE_USER_DEFAULT, 0, value, &f, out, size);
}

TEST(GetNumberFormatA, DigitsGroupingDecimalsAndSign) {
  for (const auto &c : kCases) {
    NUMBERFMTA f = {c.digits, c.leadingZero, c.grouping, const_cast<LPSTR>("."), const_cast<LPSTR>(","),
                    c.negativeOrder};
    char out[64];
    SCOPED_TRACE(testing::Message() << c.value << " digits " << c.digits << " grouping " << c.grouping);
    EXPECT_EQ(format(c.value, f, out, sizeof out), static_cast<int>(strlen(c.expected)) + 1);
    EXPECT_STREQ(out, c.expected);
  }
}

TEST(GetNumberFormatA, SeparatorsAreTakenWhole) {
  NUMBERFMTA f = {3, 1, 3, const_cast<LPSTR>(",,"), const_cast<LPSTR>("\xC2\xA0"), 0};
  char out[64];
  EXPECT_EQ(format("1234.5", f, out, sizeof out), 12);
  EXPECT_STREQ(out, "1\xC2\xA0" "234,,500");
  f.lpThousandSep = const_cast<LPSTR>("");
  EXPECT_EQ(format("1234", f, out, sizeof out), 10);
  EXPECT_STREQ(out, "1234,,000");
}

// The size counts the NUL; 0 asks for the size and writes nothing. Windows' documentation of
// GetNumberFormat: "If the cchNumber parameter is set to 0, the function returns the number of characters
// required to hold the formatted number string, including a terminating null character." Wine answers 2
// to every such question: that answer is expected under Wine only.
TEST(GetNumberFormatA, BufferSizes) {
  NUMBERFMTA f = {0, 0, 3, const_cast<LPSTR>("."), const_cast<LPSTR>(","), 0};
  char out[16];
  memset(out, 'Z', sizeof out);
  const int sizeQuestion = runningUnderWine() ? 2 : 11;
  EXPECT_EQ(format("16777215", f, out, 0), sizeQuestion);
  EXPECT_EQ(out[0], 'Z');
  EXPECT_EQ(format("16777215", f, nullptr, 0), sizeQuestion);
  EXPECT_EQ(format("16777215", f, out, 11), 11);
  EXPECT_STREQ(out, "16,777,215");
  SetLastError(0);
  EXPECT_EQ(format("16777215", f, out, 10), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(GetNumberFormatA, RefusesBadArguments) {
  NUMBERFMTA f = {0, 1, 3, const_cast<LPSTR>("."), const_cast<LPSTR>(","), 0};
  char out[32];
  for (const char *bad : {"+5", " 5", "5 ", "abc", "1.2.3", "1e5", "--5", "0x10", "12a"}) {
    SetLastError(0);
    EXPECT_EQ(format(bad, f, out, sizeof out), 0) << bad;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << bad;
  }
  f.NegativeOrder = 5;
  EXPECT_EQ(format("-1", f, out, sizeof out), 0);
  f.NegativeOrder = 0;
  f.lpDecimalSep = nullptr;
  EXPECT_EQ(format("1", f, out, sizeof out), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  f.lpDecimalSep = const_cast<LPSTR>(".");
  EXPECT_EQ(format(nullptr, f, out, sizeof out), 0);
  EXPECT_EQ(format("1", f, out, -1), 0);
  EXPECT_EQ(format("1", f, nullptr, 5), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, "1", &f, out, sizeof out), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

// Without a format, the C library's locale gives the separators and the grouping.
TEST(GetNumberFormatA, NullFormatFollowsTheCLocale) {
  const char *previous = setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  setlocale(LC_NUMERIC, "C");
  char out[32];
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234567.125", nullptr, out, sizeof out), 11);
  EXPECT_STREQ(out, "1234567.13");
  EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "-5", nullptr, out, sizeof out), 6);
  EXPECT_STREQ(out, "-5.00");
  if (setlocale(LC_NUMERIC, "en_US.UTF-8")) {
    EXPECT_EQ(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234567", nullptr, out, sizeof out), 13);
    EXPECT_STREQ(out, "1,234,567.00");
  }
  setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
