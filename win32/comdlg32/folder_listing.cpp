// comdlg32: reading a folder for the Open dialog and matching its files against the filter.
#include "comdlg32/folder_listing.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "comdlg32/file_choice.h"

namespace win32::comdlg {
namespace {

bool byNameIgnoringCase(const FolderEntry &a, const FolderEntry &b) {
  int order = strcasecmp(a.name.c_str(), b.name.c_str());
  return order != 0 ? order < 0 : a.name < b.name;
}

std::string_view trimmed(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

std::vector<FileFilter> parseFilters(const char *filter) {
  std::vector<FileFilter> filters;
  if (!filter) return filters;
  while (*filter) {
    const char *patterns = filter + std::strlen(filter) + 1;
    if (!*patterns) break;
    filters.push_back(FileFilter{filter, patterns});
    filter = patterns + std::strlen(patterns) + 1;
  }
  return filters;
}

std::vector<std::string> splitPatterns(std::string_view patterns) {
  std::vector<std::string> result;
  while (!patterns.empty()) {
    size_t end = patterns.find(';');
    std::string_view one = trimmed(patterns.substr(0, end));
    if (!one.empty()) result.emplace_back(one);
    if (end == std::string_view::npos) break;
    patterns.remove_prefix(end + 1);
  }
  return result;
}

bool matchesAny(const std::vector<std::string> &patterns, const std::string &name) {
  if (patterns.empty()) return true;
  for (const std::string &pattern : patterns) {
    if (pattern == "*.*" || pattern == "*") return true;
    if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
  }
  return false;
}

std::vector<FolderEntry> listFolder(const std::string &folder, const std::vector<std::string> &patterns) {
  std::vector<FolderEntry> folders, files;
  if (DIR *dir = opendir(folder.c_str())) {
    while (dirent *entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name.empty() || name[0] == '.') continue;
      if (isFolder(joinPath(folder, name))) {
        folders.push_back(FolderEntry{name, true});
      } else if (matchesAny(patterns, name)) {
        files.push_back(FolderEntry{name, false});
      }
    }
    closedir(dir);
  }
  std::sort(folders.begin(), folders.end(), byNameIgnoringCase);
  std::sort(files.begin(), files.end(), byNameIgnoringCase);
  std::vector<FolderEntry> entries;
  if (folder != "/") entries.push_back(FolderEntry{"..", true});
  entries.insert(entries.end(), folders.begin(), folders.end());
  entries.insert(entries.end(), files.begin(), files.end());
  return entries;
}

std::string displayName(const FolderEntry &entry) { return entry.folder ? entry.name + "/" : entry.name; }

}  // namespace win32::comdlg
