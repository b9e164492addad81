// File paths: the one place that knows the platform's separators.
#ifndef OXBYTE_DOCUMENT_PATH_H
#define OXBYTE_DOCUMENT_PATH_H

#include <cstring>

#ifdef _WIN32
constexpr char PATH_SEPARATOR = '\\';
inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }
#else
constexpr char PATH_SEPARATOR = '/';
inline bool isPathSeparator(char c) { return c == '/'; }
#endif

inline bool hasPathSeparator(const char *path) {
  for (; *path; ++path)
    if (isPathSeparator(*path)) return true;
  return false;
}

// The file name after the last separator (the whole path when it has none).
inline const char *fileNameOf(const char *path) {
  const char *name = path;
  for (; *path; ++path)
    if (isPathSeparator(*path)) name = path + 1;
  return name;
}

#endif
