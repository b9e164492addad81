// The frame's caption and the warning message boxes.
#include "app/title.h"

#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/texts.h"

NUMBERFMTA numberFormat;

void initNumberFormat() {
  static char decimalPoint[8], thousandsSeparator[8];
  const lconv *lc = std::localeconv();
  std::snprintf(decimalPoint, sizeof decimalPoint, "%s", lc->decimal_point);
  std::snprintf(thousandsSeparator, sizeof thousandsSeparator, "%s", lc->thousands_sep);
  numberFormat = NUMBERFMTA{0, 0, 3, decimalPoint, thousandsSeparator, 0};
}

void setTitle(HWND frame, const char *title, int size) {
  char digits[16], grouped[15], caption[324];
  std::snprintf(digits, sizeof digits, "%i", size);
  const char *shown = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits, &numberFormat, grouped, sizeof grouped)
                          ? grouped
                          : digits;
  if (size != 0) {
    std::snprintf(caption, sizeof caption, TEXT_TITLE_FORMAT, PROGRAM_NAME, title, shown);
  } else {
    std::snprintf(caption, sizeof caption, "%s", PROGRAM_NAME);
  }
  SetWindowTextA(frame, caption);
}

void showWarning(HWND owner, const char *format, const char *argument) {
  char message[324];
  if (!argument || !*argument) argument = TEXT_UNTITLED;
  std::snprintf(message, sizeof message, format, argument);  // a message too long for the box is cut short
  MessageBoxA(owner, message, PROGRAM_NAME, MB_ICONWARNING);
}
