// comdlg32: what the Open dialog lists — a folder's subfolders and the files that match a filter.
#ifndef OXBYTE_WIN32_COMDLG32_FOLDER_LISTING_H
#define OXBYTE_WIN32_COMDLG32_FOLDER_LISTING_H

#include <string>
#include <string_view>
#include <vector>

namespace win32::comdlg {

// One entry of OPENFILENAMEA's lpstrFilter: "description\0patterns\0".
struct FileFilter {
  std::string description;
  std::string patterns;  // "*.exe;*.com"
};

// The pairs of a filter list, which ends with an empty string (two NULs in a row); a description
// without its patterns ends the list too.
std::vector<FileFilter> parseFilters(const char *filter);

// The patterns of "*.exe; *.com", split at ';' with the blanks around them dropped.
std::vector<std::string> splitPatterns(std::string_view patterns);

// Whether a file name matches one of the patterns, regardless of case. "*.*" matches every name, also
// those without a dot; no patterns at all match every name too.
bool matchesAny(const std::vector<std::string> &patterns, const std::string &name);

struct FolderEntry {
  std::string name;  // the bytes of the name as the file system has them; ".." for the parent
  bool folder = false;
};

// The entries of a folder as the dialog lists them: ".." first (except at the root), then the folders,
// then the files that match, each group sorted by name regardless of case. Names starting with a dot
// are hidden, as Linux file managers hide them. A folder that cannot be read lists as empty.
std::vector<FolderEntry> listFolder(const std::string &folder, const std::vector<std::string> &patterns);

// How an entry shows in the list: folders with a trailing "/".
std::string displayName(const FolderEntry &entry);

}  // namespace win32::comdlg

#endif
