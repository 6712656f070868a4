#include "formats/ObjPictures.h"

#include <algorithm>
#include <set>

#include "formats/ObjBlocks.h"
#include "formats/NameRules.h"
#include "formats/ObjMaterialNames.h"
#include "formats/PathMap.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"

namespace {

// An MTL file worth reading is small; one that is not is no material library.
constexpr uint64_t kMostMtlBytes = 16 << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Calls `line` with the keyword and the rest of each line of the file.
template <class Line>
void EachLine(const std::string& path, Line line) {
  const TReadOnlyFile file(path);
  TObjBlocks blocks(file);
  for (std::string_view text = blocks.Next(); !text.empty(); text = blocks.Next()) {
    while (!text.empty()) {
      const size_t end = std::min(text.find_first_of("\r\n"), text.size());
      const std::string_view whole = Trimmed(text.substr(0, end));
      text.remove_prefix(std::min(end + 1, text.size()));
      const size_t cut = std::min(whole.find_first_of(" \t"), whole.size());
      line(whole.substr(0, cut), Trimmed(whole.substr(cut)));
    }
  }
}

// The picture's file: the last field of a "map_Kd" line once its options ("-s 1 1 1" and
// such) are passed, or the whole rest when that names a file, for names with blanks.
std::string PictureOf(std::string_view rest, const std::string& folder) {
  if (std::string whole = FindFileNoCase(folder + std::string(rest)); !whole.empty()) return whole;
  const size_t blank = rest.find_last_of(" \t");
  const std::string_view last = blank == std::string_view::npos ? rest : rest.substr(blank + 1);
  return FindFileNoCase(folder + std::string(last));
}

// The material "usemtl NAME" gives a face on import: blanks become "_", and a name no 3DO
// file could hold is made safe.
std::string MaterialNamed(std::string_view name) {
  std::string joined;
  for (size_t i = 0; i < name.size(); ++i) {
    if (!IsBlank(name[i])) {
      joined += name[i];
    } else if (i + 1 < name.size() && !IsBlank(name[i + 1])) {
      joined += '_';
    }
  }
  std::string material = MaterialFromObjName(joined);
  return NameReadsBack(material) ? material : SafeName(material);
}

}  // namespace

std::vector<TObjPicture> ReadObjPictures(const std::string& objPath) {
  const std::string folder(FolderPart(objPath));
  std::vector<std::string> libraries;
  EachLine(objPath, [&](std::string_view keyword, std::string_view rest) {
    if (keyword == "mtllib" && !rest.empty()) libraries.emplace_back(rest);
  });
  std::vector<TObjPicture> pictures;
  std::set<std::string> seen;
  for (const std::string& library : libraries) {
    const std::string path = FindFileNoCase(folder + library);
    try {
      if (path.empty() || TReadOnlyFile(path).Size() > kMostMtlBytes) continue;
      const std::string mtlFolder(FolderPart(path));
      std::string material;
      EachLine(path, [&](std::string_view keyword, std::string_view rest) {
        if (keyword == "newmtl") material = rest.empty() ? std::string() : MaterialNamed(rest);
        if (keyword != "map_Kd" || material.empty() || rest.empty() || !seen.insert(material).second) return;
        pictures.push_back({material, PictureOf(rest, mtlFolder), std::string(rest)});
      });
    } catch (const EZarnError&) {
      continue;  // a library that does not read names no pictures
    }
  }
  return pictures;
}
