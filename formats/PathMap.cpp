#include "formats/PathMap.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "formats/ReadOnlyFile.h"
#include "model/Text.h"

namespace {

// The entries of `folder` that equal `name` without regard to case.
std::vector<std::string> MatchesInFolder(const std::string& folder, std::string_view name) {
  std::vector<std::string> matches;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
  if (!dir) return matches;
  while (const dirent* entry = ::readdir(dir.get()))
    if (SameText(entry->d_name, name)) matches.emplace_back(entry->d_name);
  std::sort(matches.begin(), matches.end());  // the same answer on every run
  return matches;
}

// Resolves parts[index...] below `resolved`; several spellings of one folder may exist side
// by side, and only one of them may hold the file.
std::string Resolve(const std::string& resolved, const std::vector<std::string_view>& parts, size_t index) {
  if (index == parts.size()) return RegularFileExists(resolved) ? resolved : std::string();
  const std::string prefix = resolved.empty() || resolved.back() == '/' ? resolved : resolved + "/";
  const std::string exact = prefix + std::string(parts[index]);
  struct stat st {};
  if (::stat(exact.c_str(), &st) == 0) {
    std::string found = Resolve(exact, parts, index + 1);
    if (!found.empty()) return found;
  }
  for (const std::string& match : MatchesInFolder(resolved, parts[index])) {
    if (match == parts[index]) continue;
    std::string found = Resolve(prefix + match, parts, index + 1);
    if (!found.empty()) return found;
  }
  return {};
}

}  // namespace

std::string FindFileNoCase(std::string_view original) {
  std::string path(original);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.empty()) return {};
  if (RegularFileExists(path)) return path;
  std::vector<std::string_view> parts;
  for (size_t pos = 0; pos <= path.size();) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    if (end > pos && std::string_view(path).substr(pos, end - pos) != ".")
      parts.push_back(std::string_view(path).substr(pos, end - pos));
    pos = end + 1;
  }
  return Resolve(path[0] == '/' ? "/" : "", parts, 0);
}

std::string_view FolderPart(std::string_view path) {
  const size_t slash = path.find_last_of("\\/:");
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}
