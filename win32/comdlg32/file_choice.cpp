// comdlg32: paths for the Open dialog — joining, normalising, the default extension and the name offsets.
#include "comdlg32/file_choice.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace win32::comdlg {
namespace {

std::string homeFolder() {
  if (const char *home = std::getenv("HOME"); home && *home) return home;
  if (const passwd *user = getpwuid(getuid()); user && user->pw_dir) return user->pw_dir;
  return "/";
}

}  // namespace

std::string joinPath(const std::string &folder, const std::string &name) {
  if (!name.empty() && name[0] == '/') return name;
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string normalizePath(const std::string &absolute) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (at <= absolute.size()) {
    size_t end = absolute.find('/', at);
    if (end == std::string::npos) end = absolute.size();
    std::string part = absolute.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  std::string path;
  for (const std::string &part : parts) path += "/" + part;
  return path.empty() ? "/" : path;
}

std::string folderOf(const std::string &path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string expandHome(const std::string &typed) {
  if (typed == "~") return homeFolder();
  if (typed.rfind("~/", 0) == 0) return joinPath(homeFolder(), typed.substr(2));
  return typed;
}

bool isFolder(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

std::string withDefaultExtension(const std::string &path, const char *defaultExtension) {
  if (!defaultExtension || !*defaultExtension) return path;
  std::string name = nameOf(path);
  if (name.empty() || name.find('.') != std::string::npos || exists(path)) return path;
  return path + "." + std::string(defaultExtension).substr(0, 3);
}

NameOffsets nameOffsets(const std::string &path) {
  size_t slash = path.rfind('/');
  size_t file = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.rfind('.');
  NameOffsets offsets;
  offsets.file = WORD(file);
  if (dot == std::string::npos || dot < file) {
    offsets.extension = WORD(path.size());
  } else if (dot + 1 == path.size()) {
    offsets.extension = 0;
  } else {
    offsets.extension = WORD(dot + 1);
  }
  return offsets;
}

}  // namespace win32::comdlg
