#include "formats/GobWriter.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_set>

#include "formats/FileIO.h"
#include "formats/Gob.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return folded;
}

// The directory and the header, for entries laid out one after the other behind them.
std::string Directory(const std::string& path, const std::vector<TGobSourceEntry>& entries) {
  const uint64_t directorySize = TGob::kHeaderSize + TGob::kEntrySize * static_cast<uint64_t>(entries.size());
  std::string out = "GOB ";
  Put32(out, 0x14);
  Put32(out, 0x0C);
  Put32(out, static_cast<uint32_t>(entries.size()));
  uint64_t offset = directorySize;
  std::unordered_set<std::string> names;
  for (const TGobSourceEntry& e : entries) {
    const std::string refused = "Cannot write container '" + path + "': entry '" + e.Name + "'";
    if (e.Name.empty() || e.Name.size() >= TGob::kNameSize)
      throw EInOutError(refused + " needs a name of 1 to " + std::to_string(TGob::kNameSize - 1) + " bytes");
    if (!names.insert(FoldedName(e.Name)).second) throw EInOutError(refused + " is named twice");
    if (offset + e.Length > UINT32_MAX)
      throw EInOutError(refused + " lies beyond the 4 GiB a container's offsets reach");
    Put32(out, static_cast<uint32_t>(offset));
    Put32(out, static_cast<uint32_t>(e.Length));
    std::string field = e.Name;
    field.resize(TGob::kNameSize, '\0');
    out += field;
    offset += e.Length;
  }
  return out;
}

}  // namespace

TGobSourceEntry WholeFileEntry(const std::string& name, const std::string& path) {
  const TReadOnlyFile file(path);
  return {name, path, 0, file.Size(), {}};
}

std::string GameEntryName(std::string_view path) {
  static const std::map<std::string, std::string> folders = {
      {".3do", "3do\\"}, {".mat", "mat\\"}, {".key", "3do\\key\\"}, {".cmp", "misc\\cmp\\"},
      {".pup", "misc\\pup\\"}};
  const auto folder = folders.find(FoldedName(ExtensionPart(path)));
  if (folder == folders.end()) return {};
  return folder->second + std::string(FileNamePart(path));
}

std::string GivenEntryName(std::string_view given) {
  std::string name(given);
  for (char& c : name)
    if (c == '/') c = '\\';
  if (name.empty() || name.front() == '\\' || name.find(':') != std::string::npos) return {};
  for (size_t start = 0; start <= name.size();) {
    const size_t end = std::min(name.find('\\', start), name.size());
    if (name.compare(start, end - start, "..") == 0 || end == start) return {};
    start = end + 1;
  }
  if (name.find('\\') != std::string::npos) return name;
  const std::string inFolder = GameEntryName(name);
  return inFolder.empty() ? name : inFolder;
}

std::vector<TGobSourceEntry> KeptEntries(const TGob& gob) {
  const uint64_t size = TReadOnlyFile(gob.FileName).Size();
  std::vector<TGobSourceEntry> entries;
  entries.reserve(static_cast<size_t>(gob.Count()));
  for (int i = 0; i < gob.Count(); ++i) {
    const TGobListItem& item = gob.Entry(i);
    if (static_cast<uint64_t>(item.Offset) + item.Length > size)
      throw EInOutError("Damaged container '" + gob.FileName + "': entry '" + item.Name +
                        "' lies beyond the end of the file; it was left as it was");
    entries.push_back({item.Name, gob.FileName, item.Offset, item.Length, {}});
  }
  return entries;
}

std::vector<TGobSourceEntry> MergedEntries(std::vector<TGobSourceEntry> entries,
                                           const std::vector<TGobSourceEntry>& changes) {
  std::map<std::string, size_t> at;
  for (size_t i = 0; i < entries.size(); ++i) at.emplace(FoldedName(entries[i].Name), i);
  for (const TGobSourceEntry& change : changes) {
    const auto [place, added] = at.emplace(FoldedName(change.Name), entries.size());
    if (added)
      entries.push_back(change);
    else  // the name as stored stays, whatever the case of the new one
      entries[place->second] = {entries[place->second].Name, change.Path, change.Offset, change.Length, change.Data};
  }
  return entries;
}

void WriteGob(const std::string& path, const std::vector<TGobSourceEntry>& entries) {
  const std::string directory = Directory(path, entries);
  TAtomicFileWriter out(path);
  out.Write(directory);
  // Entries of one source follow each other: it is opened once for all of them.
  std::unique_ptr<TReadOnlyFile> source;
  std::string block(1 << 20, '\0');
  for (const TGobSourceEntry& e : entries) {
    if (e.Path.empty()) {
      out.Write(e.Data);
      continue;
    }
    if (!source || source->Path() != e.Path) source = std::make_unique<TReadOnlyFile>(e.Path);
    if (e.Offset + e.Length > source->Size())
      throw EInOutError("Cannot write container '" + path + "': entry '" + e.Name + "' lies beyond the end of '" +
                        e.Path + "'");
    for (uint64_t done = 0; done < e.Length;) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(block.size(), e.Length - done));
      const size_t got = source->ReadInto(e.Offset + done, block.data(), want);
      if (got != want) throw EInOutError("Cannot read file '" + e.Path + "': it is shorter than when it was listed");
      out.Write(std::string_view(block.data(), got));
      done += got;
    }
  }
  out.Commit();
}
