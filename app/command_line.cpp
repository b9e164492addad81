// The file named on the command line.
#include "app/command_line.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "document/path.h"

std::string pathTextOf(const char *commandLine) {
  std::string text = commandLine ? commandLine : "";
  if (!text.empty() && text[0] == '"') text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
  return text;
}

CommandLineFile pathFromCommandLine(const char *commandLine, char (&pendingPath)[256]) {
  pendingPath[0] = 0;
  if (!commandLine || !*commandLine) return CommandLineFile::None;
  std::string text = pathTextOf(commandLine);
  if (hasPathSeparator(text.c_str())) {
    if (text.size() >= sizeof pendingPath) return CommandLineFile::TooLong;
    std::memcpy(pendingPath, text.c_str(), text.size() + 1);
    return CommandLineFile::Open;
  }
  // The folder always gets a separator appended, even when it ends in one: the doubled separator of a
  // root folder is accepted by the file system.
  // A folder too long for the buffer makes the full path too long as well; only a folder that could not
  // be read at all leaves the name for the first Open.
  char folder[256];
  DWORD length = GetCurrentDirectoryA(255, folder);
  if (length >= 255) return CommandLineFile::TooLong;
  if (length == 0) {
    if (text.size() >= sizeof pendingPath) return CommandLineFile::TooLong;
    std::memcpy(pendingPath, text.c_str(), text.size() + 1);
    return CommandLineFile::Deferred;
  }
  std::string path = std::string(folder) + PATH_SEPARATOR + text;
  if (path.size() >= sizeof pendingPath) return CommandLineFile::TooLong;
  std::memcpy(pendingPath, path.c_str(), path.size() + 1);
  return CommandLineFile::Open;
}
