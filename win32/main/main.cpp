// main: the Linux entry point — answers --help and --version, opens the display, rebuilds a Windows
// command line from argv and calls WinMain.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "backend/driver.h"
#include "kernel32/module.h"
#include "kernel32/resource.h"
#include "user32/version_info.h"

namespace {

std::string versionValue(const char *key) {
  auto data = win32::findResourceData(RT_VERSION, MAKEINTRESOURCEA(1));
  auto value = win32::versionString(data, key);
  return value ? *value : "";
}

const char *programName(const char *argv0) {
  const char *slash = std::strrchr(argv0, '/');
  return slash ? slash + 1 : argv0;
}

// Arguments joined by blanks; one that holds a blank (or starts with a quote) is put in double quotes,
// which is how a Windows shell passes a path with blanks.
std::string commandLine(int argc, char **argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (!line.empty()) line += ' ';
    bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos || arg[0] == '"';
    line += quote ? '"' + arg + '"' : arg;
  }
  return line;
}

}  // namespace

int main(int argc, char **argv) {
  const char *name = programName(argv[0]);
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::printf("Usage: %s [FILE]\n%s: %s.\nOpens FILE, or starts with no document.\n\n"
                "OXBYTE_SCALE=N (1 to 8) draws every window N times larger, as a high-DPI desktop does.\n",
                name,
                versionValue("ProductName").c_str(), versionValue("FileDescription").c_str());
    return 0;
  }
  if (argc == 2 && !std::strcmp(argv[1], "--version")) {
    std::string version = versionValue("ProductVersion");
    std::string dotted;
    for (char c : version)
      if (c != ' ') dotted += c == ',' ? '.' : c;
    version = dotted;
    std::printf("%s %s\n", versionValue("ProductName").c_str(), version.c_str());
    return 0;
  }
  std::string error;
  if (!win32::backend::useSdl(error)) {
    std::fprintf(stderr, "%s: no display to open a window on: %s\n", name, error.c_str());
    return 1;
  }
  std::string line = commandLine(argc, argv);
  return WinMain(win32::programModule(), nullptr, line.data(), SW_SHOWDEFAULT);
}
