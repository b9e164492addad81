// backend: texts for the desktop, which takes only valid UTF-8.
#ifndef OXBYTE_WIN32_BACKEND_SDL_UTF8_H
#define OXBYTE_WIN32_BACKEND_SDL_UTF8_H

#include <string>

namespace win32::backend {

// The text with every byte that does not belong to a well-formed UTF-8 sequence replaced by U+FFFD, as
// file managers show a file name that is not UTF-8.
std::string displayText(const std::string &text);

}  // namespace win32::backend

#endif
