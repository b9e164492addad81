// kernel32: lstr* string functions and the ANSI code page.
#include <string.h>
#include <windows.h>

namespace {

bool isIgnoredMark(unsigned char c) { return c == '-' || c == '\''; }

// Windows' word sort orders symbols before digits before letters, letters without regard to case.
// Bytes of non-ASCII characters come after all of these, in byte order: the stand-in has no
// linguistic tables, so accented letters do not sort next to their base letters as on Windows.
int sortWeight(unsigned char c) {
  if (c >= 0x80) return 0x400 + c;
  if (c >= 'A' && c <= 'Z') return 0x300 + (c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return 0x300 + c;
  if (c >= '0' && c <= '9') return 0x200 + c;
  return 0x100 + c;
}

int sign(int value) { return (value > 0) - (value < 0); }

// Compares the strings with hyphens and apostrophes skipped; `byCase` compares lower case before
// upper case instead of the weights.
int compareSkippingMarks(const unsigned char *a, const unsigned char *b, bool byCase) {
  for (;;) {
    while (isIgnoredMark(*a)) ++a;
    while (isIgnoredMark(*b)) ++b;
    if (*a == 0 || *b == 0) return sign(*a - *b);
    int difference = byCase ? (*a >= 'A' && *a <= 'Z') - (*b >= 'A' && *b <= 'Z') : sortWeight(*a) - sortWeight(*b);
    if (difference != 0) return sign(difference);
    ++a, ++b;
  }
}

int countMarks(const unsigned char *s) {
  int count = 0;
  for (; *s; ++s) count += isIgnoredMark(*s);
  return count;
}

}  // namespace

// Windows answers null pointers with a null result instead of a fault.
extern "C" LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  return strcpy(lpString1, lpString2);
}

// Copies at most iMaxLength - 1 bytes and always ends the copy with a NUL, unless iMaxLength is 0.
// The length is taken as unsigned, so a negative one copies the whole string.
extern "C" LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  UINT room = static_cast<UINT>(iMaxLength);
  LPSTR out = lpString1;
  for (; room > 1 && *lpString2; --room) *out++ = *lpString2++;
  if (room) *out = '\0';
  return lpString1;
}

extern "C" int WINAPI lstrlenA(LPCSTR lpString) { return lpString ? static_cast<int>(strlen(lpString)) : 0; }

// The result is -1, 0 or 1, as CompareStringA gives it minus 2. A null string sorts first.
extern "C" int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return (lpString1 != nullptr) - (lpString2 != nullptr);
  auto a = reinterpret_cast<const unsigned char *>(lpString1);
  auto b = reinterpret_cast<const unsigned char *>(lpString2);
  if (int order = compareSkippingMarks(a, b, false)) return order;
  if (int order = compareSkippingMarks(a, b, true)) return order;
  if (int order = sign(countMarks(a) - countMarks(b))) return order;
  return sign(strcmp(lpString1, lpString2));
}

extern "C" LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  return strcat(lpString1, lpString2);
}

// The stand-in's ANSI code page is UTF-8: every ...A function takes and gives UTF-8.
extern "C" UINT WINAPI GetACP(void) { return CP_UTF8; }
