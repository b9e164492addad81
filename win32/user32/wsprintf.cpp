// user32: wsprintfA, Windows' own small printf (integers, characters and strings; no floating point).
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// wsprintfA writes at most 1024 bytes, the NUL included.
constexpr size_t kOutputLimit = 1024;

enum class Width { Int, Int64, Pointer };

struct Conversion {
  bool left = false, hexPrefix = false, zeroPad = false;
  size_t width = 0, precision = 0;  // a precision of 0 means none, even when written as ".0"
  Width size = Width::Int;
  char type = 0;  // c d i u x X s, or 0 for a character wsprintfA does not know
};

size_t readCount(const char *&p) {
  size_t value = 0;
  while (*p >= '0' && *p <= '9') value = value * 10 + static_cast<size_t>(*p++ - '0');
  return value;
}

// Flags come in the fixed order '-', '#', '0'; "l" and "h" change nothing since int and long are
// both 32 bits on Windows. An unknown conversion character is not consumed: it is then copied as
// ordinary text, so "%+d" gives "+d" and "%f" gives "f" without taking an argument ("%%" gives "%").
const char *parseConversion(const char *p, Conversion &conversion) {
  if (*p == '-') conversion.left = true, ++p;
  if (*p == '#') conversion.hexPrefix = true, ++p;
  if (*p == '0') conversion.zeroPad = true, ++p;
  conversion.width = readCount(p);
  if (*p == '.') conversion.precision = readCount(++p);
  if (*p == 'l' || *p == 'h') {
    ++p;
  } else if (*p == 'I') {
    if (p[1] == '6' && p[2] == '4') conversion.size = Width::Int64, p += 3;
    else if (p[1] == '3' && p[2] == '2') p += 3;
    else conversion.size = Width::Pointer, ++p;
  }
  if (*p == 'p') {  // a pointer: all its hexadecimal digits, upper case
    conversion.width = 2 * sizeof(void *), conversion.zeroPad = true, conversion.size = Width::Pointer, conversion.type = 'X';
    return p + 1;
  }
  if (strchr("cdiuxXs", *p) && *p) {
    conversion.type = *p;
    return p + 1;
  }
  return p;
}

std::string numberText(const Conversion &conversion, va_list &args) {
  char text[32];
  bool isSigned = conversion.type == 'd' || conversion.type == 'i';
  long long value;
  if (conversion.size == Width::Int64) value = va_arg(args, long long);
  else if (conversion.size == Width::Pointer) value = va_arg(args, intptr_t);
  else value = isSigned ? va_arg(args, int) : static_cast<long long>(va_arg(args, unsigned int));
  if (!isSigned && conversion.size == Width::Pointer) value = static_cast<long long>(static_cast<uintptr_t>(value));
  const char *pattern = isSigned ? "%lld" : conversion.type == 'u' ? "%llu" : conversion.type == 'x' ? "%llx" : "%llX";
  snprintf(text, sizeof text, pattern, value);
  return text;
}

// Zero padding fills to the width after the sign; precision gives a minimum count of characters,
// sign included. The width does not count a "0x" prefix.
void appendNumber(std::string &out, Conversion conversion, const std::string &digits) {
  size_t length = digits.size();
  conversion.precision = std::max(conversion.precision, length);
  if (conversion.zeroPad && !conversion.left && conversion.width > conversion.precision) conversion.precision = conversion.width;
  if (!conversion.left && conversion.width > conversion.precision) out.append(conversion.width - conversion.precision, ' ');
  if (conversion.hexPrefix && (conversion.type == 'x' || conversion.type == 'X')) out += conversion.type == 'x' ? "0x" : "0X";
  size_t signLength = digits[0] == '-' ? 1 : 0;
  out.append(digits, 0, signLength);
  out.append(conversion.precision - length, '0');
  out.append(digits, signLength);
  if (conversion.left && conversion.width > conversion.precision) out.append(conversion.width - conversion.precision, ' ');
}

void appendText(std::string &out, const Conversion &conversion, const char *text, size_t length) {
  if (!conversion.left && conversion.width > length) out.append(conversion.width - length, ' ');
  out.append(text, length);
  if (conversion.left && conversion.width > length) out.append(conversion.width - length, ' ');
}

void appendConversion(std::string &out, const Conversion &conversion, va_list &args) {
  if (conversion.type == 'c') {
    char c = static_cast<char>(va_arg(args, int));
    appendText(out, conversion, &c, 1);
  } else if (conversion.type == 's') {
    const char *text = va_arg(args, const char *);
    if (text == nullptr) text = "(null)";
    size_t length = conversion.precision ? strnlen(text, conversion.precision) : strlen(text);
    appendText(out, conversion, text, length);
  } else {
    appendNumber(out, conversion, numberText(conversion, args));
  }
}

std::string formatAll(const char *format, va_list &args) {
  std::string out;
  for (const char *p = format; *p && out.size() < kOutputLimit;) {
    if (*p != '%' || p[1] == '%') {
      p += *p == '%';
      out += *p++;
      continue;
    }
    Conversion conversion;
    p = parseConversion(p + 1, conversion);
    if (conversion.type) appendConversion(out, conversion, args);
  }
  return out;
}

}  // namespace

// A result that fills the buffer is cut to 1023 bytes and a NUL, and the call then returns 1024
// (what Wine returns; it does so also for a result of exactly 1023 bytes). Wine cuts the last
// conversion to the room left before padding it; this cuts the finished text.
extern "C" int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
  if (lpOut == nullptr) return 0;
  va_list args;
  va_start(args, lpFmt);
  std::string text = lpFmt ? formatAll(lpFmt, args) : std::string();
  va_end(args);
  if (text.size() >= kOutputLimit - 1) {
    memcpy(lpOut, text.data(), kOutputLimit - 1);
    lpOut[kOutputLimit - 1] = '\0';
    return static_cast<int>(kOutputLimit);
  }
  memcpy(lpOut, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size());
}
