// The file named on the command line.
#ifndef OXBYTE_APP_COMMAND_LINE_H
#define OXBYTE_APP_COMMAND_LINE_H

enum class CommandLineFile {
  None,      // nothing named: start without a document
  Open,      // pendingPath holds the path: open it now
  Deferred,  // the current folder could not be read: pendingPath holds the name for the first Open
  TooLong,   // the path does not fit pendingPath: refuse it rather than open a different file
};

// Takes the path from the command line into `pendingPath` (256 bytes). A line that starts with a double
// quote loses its first and last character; nothing else is parsed. A bare name (no separator) is
// looked up in the current folder.
CommandLineFile pathFromCommandLine(const char *commandLine, char (&pendingPath)[256]);

#endif
