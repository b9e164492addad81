// A path quoted for a command line, as a shell passes a name holding spaces: shared by every driver that
// starts the program with a file.
#ifndef OXBYTE_TESTS_SUPPORT_QUOTED_H
#define OXBYTE_TESTS_SUPPORT_QUOTED_H

#include <string>

inline std::string quotedPath(const std::string &path) {
  std::string text;
  text.reserve(path.size() + 2);
  text += '"';
  text += path;
  text += '"';
  return text;
}

#endif
