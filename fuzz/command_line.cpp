// Fuzz target: the file named on the command line. The rule: a line starting with a double quote loses
// its first and last character; a path with a separator is taken as it is, a bare name is joined to the
// current folder; a path that does not fit the 256-byte buffer is refused, never cut.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/command_line.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string line(reinterpret_cast<const char *>(data), size);
  line = line.substr(0, line.find('\0'));
  char pending[256];
  std::memset(pending, 0x5A, sizeof pending);
  CommandLineFile result = pathFromCommandLine(line.c_str(), pending);

  if (line.empty()) {
    check(result == CommandLineFile::None && pending[0] == 0);
    return 0;
  }
  std::string text = line;
  if (text[0] == '"') text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
  std::string expected = text;
  if (text.find('/') == std::string::npos) {
    char folder[4096];
    check(getcwd(folder, sizeof folder) != nullptr);
    expected = std::string(folder) + "/" + text;
  }
  if (expected.size() >= sizeof pending) {
    check(result == CommandLineFile::TooLong);
  } else {
    check(result == CommandLineFile::Open);
    check(std::memchr(pending, 0, sizeof pending) != nullptr);
    check(pending == expected);
  }
  return 0;
}
