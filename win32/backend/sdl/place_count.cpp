// A file holding one number, read and raised under an exclusive lock: two programs starting together
// never take the same place. Other users cannot reach the file: it is in the user's runtime folder, or
// made in /tmp by this user and refused if anyone else owns it or it is not a plain file.
#include "backend/sdl/place_count.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace win32::backend {

std::optional<unsigned> takeSharedPlace(const std::string &file) {
  int fd = open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  struct stat info{};
  std::optional<unsigned> taken;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == getuid() && flock(fd, LOCK_EX) == 0) {
    char text[16] = {};
    ssize_t got = pread(fd, text, sizeof text - 1, 0);
    unsigned count = got > 0 ? unsigned(std::strtoul(text, nullptr, 10)) : 0;
    int length = std::snprintf(text, sizeof text, "%u\n", count + 1);
    if (ftruncate(fd, 0) == 0 && pwrite(fd, text, size_t(length), 0) == length) taken = count;
    flock(fd, LOCK_UN);
  }
  close(fd);
  return taken;
}

std::string placeCountFile(const char *display) {
  if (!display || !*display) return {};
  std::string name = "oxbyte-places-";
  for (const char *c = display; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  const char *runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime == '/') return std::string(runtime) + '/' + name;
  return "/tmp/" + name + '-' + std::to_string(getuid());
}

}  // namespace win32::backend
