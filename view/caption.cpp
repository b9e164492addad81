// The frame's caption, which names the view's document and its size in the user's number format.
#include "view/caption.h"

#include <clocale>
#include <cstdio>

#include "resources/texts.h"

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
