// The warning message box, which names the file it is about however long its name.
#include "dialogs/warning.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "resources/texts.h"

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
