// backend: the count of windows opened at the default place, shared by every program on one display, so
// that each new frame steps down and right of the last one even when it belongs to another program.
#ifndef OXBYTE_WIN32_BACKEND_SDL_PLACE_COUNT_H
#define OXBYTE_WIN32_BACKEND_SDL_PLACE_COUNT_H

#include <optional>
#include <string>

namespace win32::backend {

// Takes the next number from the count kept in `file` and returns it; nullopt if the file cannot be used
// (then the caller counts for its own program alone).
std::optional<unsigned> takeSharedPlace(const std::string &file);

// Where the count of the desktop `display` (an X display name such as ":0" or "host:10.0") is kept for
// this user: the user's runtime folder, else a file of the user's own in /tmp. Empty without a display.
std::string placeCountFile(const char *display);

}  // namespace win32::backend

#endif
