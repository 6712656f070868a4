#include "formats/PathMap.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "formats/ReadOnlyFile.h"
#include "model/Materials.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The name of the entry in `folder` that equals `name` without regard to case, or empty.
std::string MatchInFolder(const std::string& folder, std::string_view name) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
  if (!dir) return {};
  while (const dirent* entry = ::readdir(dir.get()))
    if (SameText(entry->d_name, name)) return entry->d_name;
  return {};
}

}  // namespace

std::string FindFileNoCase(std::string_view original) {
  std::string path(original);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.empty()) return {};
  if (RegularFileExists(path)) return path;

  std::string resolved = path[0] == '/' ? "/" : "";
  size_t pos = path[0] == '/' ? 1 : 0;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    const std::string_view part(path.data() + pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    std::string next = resolved + std::string(part);
    if (!Exists(next)) {
      const std::string match = MatchInFolder(resolved, part);
      if (match.empty()) return {};
      next = resolved + match;
    }
    resolved = std::move(next);
    if (pos <= path.size()) resolved += '/';
  }
  return RegularFileExists(resolved) ? resolved : std::string();
}

std::string_view FolderPart(std::string_view path) {
  const size_t slash = path.find_last_of("\\/:");
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}
