// kernel32: GetNumberFormatA, decimal number strings with grouping, decimals and a sign.
#include <limits.h>
#include <locale.h>
#include <string.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Format {
  UINT digits = 0;
  bool leadingZero = false;
  std::vector<int> groups;  // sizes from the decimal point leftwards
  bool repeatLast = false;  // the last size repeats over the remaining digits
  std::string decimal, thousand;
  UINT negativeOrder = 0;
};

struct Number {
  bool negative = false;
  std::string integer, fraction;
};

// More decimals than this are refused rather than padded out.
constexpr UINT kMaxDigits = 99;

// NUMBERFMTA's grouping is read as decimal digits, most significant first: 3 gives groups of three,
// 32 a group of three and then groups of two. A 0 ends the grouping; the rest stays one group.
void groupingFromNumber(UINT grouping, Format &format) {
  for (char c : std::to_string(grouping)) {
    if (c == '0') return;
    format.groups.push_back(c - '0');
  }
  format.repeatLast = true;
}

// localeconv's grouping has one byte per group; CHAR_MAX ends the grouping, the string's end repeats
// the last size.
void groupingFromLocale(const char *grouping, Format &format) {
  for (; *grouping; ++grouping) {
    if (*grouping == CHAR_MAX || *grouping < 0) return;
    format.groups.push_back(*grouping);
  }
  format.repeatLast = !format.groups.empty();
}

// Without a format the C library's current locale gives the separators and grouping; two decimals,
// a leading zero and a leading minus sign are Windows' usual user settings.
Format formatFromLocale() {
  const lconv *locale = localeconv();
  Format format;
  format.digits = 2;
  format.leadingZero = true;
  format.decimal = locale->decimal_point;
  format.thousand = locale->thousands_sep;
  groupingFromLocale(locale->grouping, format);
  format.negativeOrder = 1;
  return format;
}

// A value is an optional '-', digits, and optionally '.' and more digits; either part may be empty.
bool parseNumber(const char *value, Number &number) {
  const char *p = value;
  if (*p == '-') number.negative = true, ++p;
  while (*p >= '0' && *p <= '9') number.integer += *p++;
  if (*p == '.') {
    ++p;
    while (*p >= '0' && *p <= '9') number.fraction += *p++;
  }
  return *p == '\0';
}

// Rounds half away from zero to `digits` decimals, padding with zeros when there are fewer.
void roundTo(Number &number, UINT digits) {
  if (number.fraction.size() <= digits) {
    number.fraction.append(digits - number.fraction.size(), '0');
    return;
  }
  bool up = number.fraction[digits] >= '5';
  number.fraction.resize(digits);
  if (!up) return;
  std::string all = number.integer + number.fraction;
  int i = static_cast<int>(all.size()) - 1;
  for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
  if (i >= 0) ++all[i];
  else all.insert(all.begin(), '1');
  number.integer = all.substr(0, all.size() - digits);
  number.fraction = all.substr(all.size() - digits);
}

std::string grouped(const std::string &digits, const Format &format) {
  std::vector<std::string> parts;
  size_t end = digits.size(), next = 0;
  while (end > 0) {
    size_t size = end;
    if (next < format.groups.size()) size = format.groups[next++];
    else if (format.repeatLast) size = format.groups.back();
    size_t start = end > size ? end - size : 0;
    parts.push_back(digits.substr(start, end - start));
    end = start;
  }
  std::string text;
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
    if (!text.empty()) text += format.thousand;
    text += *part;
  }
  return text;
}

// Leading zeros go; a zero integer part is shown as "0" only with LeadingZero, so that "0.5" may
// read ".5" (and "0" without decimals reads as nothing, as Wine shows it).
std::string formatNumber(Number number, const Format &format) {
  roundTo(number, format.digits);
  number.integer.erase(0, std::min(number.integer.find_first_not_of('0'), number.integer.size()));
  if (number.integer.empty() && format.leadingZero) number.integer.push_back('0');
  std::string text = grouped(number.integer, format);
  if (format.digits > 0) text += format.decimal + number.fraction;
  if (!number.negative) return text;
  switch (format.negativeOrder) {
    case 0: return "(" + text + ")";
    case 1: return "-" + text;
    case 2: return "- " + text;
    case 3: return text + "-";
    default: return text + " -";
  }
}

// The number text, or the Win32 error code that refuses the arguments.
DWORD formatValue(DWORD flags, LPCSTR value, const NUMBERFMTA *given, std::string &text) {
  Format format;
  if (given) {
    if (flags != 0) return ERROR_INVALID_FLAGS;
    if (!given->lpDecimalSep || !given->lpThousandSep || given->NumDigits > kMaxDigits) return ERROR_INVALID_PARAMETER;
    format.digits = given->NumDigits;
    format.leadingZero = given->LeadingZero != 0;
    groupingFromNumber(given->Grouping, format);
    format.decimal = given->lpDecimalSep;
    format.thousand = given->lpThousandSep;
    format.negativeOrder = given->NegativeOrder;
  } else {
    if (flags & ~LOCALE_NOUSEROVERRIDE) return ERROR_INVALID_FLAGS;
    format = formatFromLocale();
  }
  Number number;
  if (!parseNumber(value, number)) return ERROR_INVALID_PARAMETER;
  if (number.negative && format.negativeOrder > 4) return ERROR_INVALID_PARAMETER;
  text = formatNumber(number, format);
  return ERROR_SUCCESS;
}

}  // namespace

// The stand-in has one locale, so every locale identifier formats alike. The result counts the NUL;
// with cchNumber 0 it is the size needed and nothing is written.
extern "C" int WINAPI GetNumberFormatA(LCID, DWORD dwFlags, LPCSTR lpValue, const NUMBERFMTA *lpFormat,
                                       LPSTR lpNumberStr, int cchNumber) {
  if (lpValue == nullptr || cchNumber < 0 || (cchNumber > 0 && lpNumberStr == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string text;
  if (DWORD error = formatValue(dwFlags, lpValue, lpFormat, text)) {
    SetLastError(error);
    return 0;
  }
  int size = static_cast<int>(text.size()) + 1;
  if (cchNumber == 0) return size;
  if (cchNumber < size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(lpNumberStr, text.c_str(), size);
  return size;
}
