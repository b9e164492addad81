// The frame's caption and the warning message boxes.
#include "app/title.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

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

namespace {

bool continuesCharacter(char byte) { return (byte & 0xC0) == 0x80; }

// The text itself when it has at most `room` bytes; else its start and its end around "…", cut between
// characters, so that whatever follows it in a message is still read.
std::string shortenedInTheMiddle(const std::string &text, size_t room) {
  static const std::string ellipsis = "…";
  if (text.size() <= room) return text;
  size_t keep = room > ellipsis.size() ? room - ellipsis.size() : 0;
  size_t headEnd = keep / 2, tailStart = text.size() - (keep - keep / 2);
  while (headEnd > 0 && continuesCharacter(text[headEnd])) --headEnd;
  while (tailStart < text.size() && continuesCharacter(text[tailStart])) ++tailStart;
  return text.substr(0, headEnd) + ellipsis + text.substr(tailStart);
}

}  // namespace

void showWarning(HWND owner, const char *format, const char *argument) {
  char message[324];
  if (!argument || !*argument) argument = TEXT_UNTITLED;
  const size_t formatBytes = std::strlen(format) - 2;  // without its "%s"
  std::string shown = shortenedInTheMiddle(argument, sizeof message - 1 - formatBytes);
  std::snprintf(message, sizeof message, format, shown.c_str());
  MessageBoxA(owner, message, PROGRAM_NAME, MB_ICONWARNING);
}
