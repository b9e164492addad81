// The file named on the command line.
#ifndef OXBYTE_APP_COMMAND_LINE_H
#define OXBYTE_APP_COMMAND_LINE_H

#include <string>

enum class CommandLineFile {
  None,      // nothing named: start without a document
  Open,      // pendingPath holds the path: open it now
  Deferred,  // the current folder could not be read: pendingPath holds the name for the first Open
  TooLong,   // the path (for a bare name, the current folder and the name) does not fit pendingPath:
             // refuse it rather than open a different file
};

// The path the command line names: the line itself, or without its first and last character when it
// starts with a double quote. Nothing else is parsed.
std::string pathTextOf(const char *commandLine);

// Takes the path from the command line (pathTextOf) into `pendingPath` (256 bytes). A bare name (no
// separator) is looked up in the current folder.
CommandLineFile pathFromCommandLine(const char *commandLine, char (&pendingPath)[256]);

#endif
