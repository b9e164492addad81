// main: the Linux entry point — answers --help and --version, refuses other options and a second file
// with the usage (exit status 2), opens the display, rebuilds a Windows command line from the file
// named and calls WinMain.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

void printUsage(FILE *to, const char *name) {
  std::fprintf(to,
               "Usage: %s [FILE]\n%s: %s.\nOpens FILE, or starts with no document. -- ends the options, for a FILE\n"
               "whose name starts with '-'.\n\n"
               "OXBYTE_SCALE=N (1 to 8) draws every window N times larger, as a high-DPI desktop does.\n",
               name, versionValue("ProductName").c_str(), versionValue("FileDescription").c_str());
}

void printVersion() {
  std::string dotted;
  for (char c : versionValue("ProductVersion"))
    if (c != ' ') dotted += c == ',' ? '.' : c;
  std::printf("%s %s\n", versionValue("ProductName").c_str(), dotted.c_str());
}

enum class Request { Run, Help, Version, Misuse };

// The options before "--", and at most one file; `files` keeps the arguments that name files.
Request readArguments(int argc, char **argv, std::vector<char *> &files) {
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char *arg = argv[i];
    if (options && !std::strcmp(arg, "--")) {
      options = false;
    } else if (options && arg[0] == '-') {
      if (argc == 2 && (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h"))) return Request::Help;
      if (argc == 2 && !std::strcmp(arg, "--version")) return Request::Version;
      return Request::Misuse;
    } else {
      files.push_back(argv[i]);
    }
  }
  return files.size() > 1 ? Request::Misuse : Request::Run;
}

}  // namespace

int main(int argc, char **argv) {
  const char *name = programName(argv[0]);
  std::vector<char *> files;
  switch (readArguments(argc, argv, files)) {
    case Request::Help: printUsage(stdout, name); return 0;
    case Request::Version: printVersion(); return 0;
    case Request::Misuse: printUsage(stderr, name); return 2;
    case Request::Run: break;
  }
  std::string error;
  if (!win32::backend::useSdl(error)) {
    std::fprintf(stderr, "%s: %s\n", name, error.c_str());
    return 1;
  }
  files.insert(files.begin(), argv[0]);
  std::string line = commandLine(int(files.size()), files.data());
  return WinMain(win32::programModule(), nullptr, line.data(), SW_SHOWDEFAULT);
}
