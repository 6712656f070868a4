#include "formats/Gob.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "model/Errors.h"
#include "model/Text.h"

namespace {

uint32_t LittleEndian32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

// Real containers carry leftover bytes after the terminating zero of a name.
std::string TrimmedName(const char* field) {
  size_t n = 0;
  while (n < TGob::kNameSize && field[n] != '\0') ++n;
  while (n > 0 && static_cast<unsigned char>(field[n - 1]) <= 32) --n;
  return std::string(field, n);
}

}  // namespace

bool TGob::LoadFromFile(const std::string& path) {
  if (!RegularFileExists(path)) return false;
  Entries.clear();
  FileName = path;
  const TReadOnlyFile file(path);
  const std::string header = file.ReadAt(0, kHeaderSize);
  if (header.size() < 4 || header[3] != ' ') return false;
  if (header.size() < kHeaderSize)
    throw EInOutError("Damaged container '" + path + "': the header is cut short");
  const auto count = static_cast<int32_t>(LittleEndian32(header.data() + 12));
  if (count <= 0) return true;
  // A damaged count must never make us allocate or read beyond what the file holds.
  const uint64_t room = (file.Size() - kHeaderSize) / kEntrySize;
  const std::string damaged = "Damaged container '" + path + "': its directory names " + std::to_string(count) + " entries";
  if (static_cast<uint64_t>(count) > room)
    throw EInOutError(damaged + " but the file holds room for " + std::to_string(room));
  if (count > kMaxEntries) throw EInOutError(damaged + "; no container holds more than " + std::to_string(kMaxEntries));
  std::vector<TGobListItem> entries(static_cast<size_t>(count));
  constexpr size_t kPerBlock = 512;
  std::string block(std::min(kPerBlock, entries.size()) * kEntrySize, '\0');
  for (size_t first = 0; first < entries.size(); first += kPerBlock) {
    const size_t n = std::min(kPerBlock, entries.size() - first);
    if (file.ReadInto(kHeaderSize + first * kEntrySize, block.data(), n * kEntrySize) != n * kEntrySize)
      throw EInOutError("Cannot read file '" + path + "': the directory is cut short");
    for (size_t i = 0; i < n; ++i) {
      const char* raw = block.data() + i * kEntrySize;
      TGobListItem& entry = entries[first + i];
      entry.Offset = LittleEndian32(raw);
      entry.Length = LittleEndian32(raw + 4);
      entry.Name = TrimmedName(raw + 8);
    }
  }
  Entries = std::move(entries);
  std::stable_sort(Entries.begin(), Entries.end(),
                   [](const TGobListItem& a, const TGobListItem& b) { return LessNoCase(a.Name, b.Name); });
  return true;
}

const TGobListItem& TGob::Entry(int index) const {
  if (index < 0 || index >= Count()) throw EListError("File list out of bounds.");
  return Entries[static_cast<size_t>(index)];
}

void TGob::GetEntry(int index, TGobItem& item) const {
  const TGobListItem& entry = Entry(index);
  item.ContainerName = FileName;
  item.EntryName = entry.Name;
  item.Offset = entry.Offset;
  item.Length = entry.Length;
}

bool TGob::FindFile(std::string_view name, TGobItem& item) const {
  item = TGobItem{FileName, {}, 0xFFFFFFFFu, 0xFFFFFFFFu};
  int found = -1;
  for (int i = 0; i < Count(); ++i)
    if (SameText(FileNamePart(Entries[static_cast<size_t>(i)].Name), name)) found = i;
  if (found < 0) return false;
  GetEntry(found, item);
  return true;
}

bool TGob::FindEntry(std::string_view name, TGobItem& item) const {
  std::string wanted(name);
  std::replace(wanted.begin(), wanted.end(), '/', '\\');
  for (int i = 0; i < Count(); ++i)
    if (SameText(Entries[static_cast<size_t>(i)].Name, wanted)) {
      GetEntry(i, item);
      return true;
    }
  return FileNamePart(wanted) == wanted && FindFile(wanted, item);
}

std::vector<std::string> ContainerModelRows(const TGob& gob) {
  std::vector<std::string> rows;
  for (int i = 0; i < gob.Count(); ++i)
    if (SameText(ExtensionPart(gob.Entry(i).Name), ".3do")) rows.emplace_back(FileNamePart(gob.Entry(i).Name));
  return rows;
}

bool FindContainerModel(const TGob& gob, std::string_view row, TGobItem& item) {
  return gob.FindEntry("3do\\" + std::string(row), item);
}

TGobEntrySource::TGobEntrySource(const TGobItem& item)
    : File(item.ContainerName), Next(item.Offset), End(static_cast<uint64_t>(item.Offset) + item.Length) {
  if (End > File.Size())
    throw EInOutError("Damaged container '" + item.ContainerName + "': entry '" + item.EntryName +
                      "' lies beyond the end of the file");
}

size_t TGobEntrySource::Read(char* buffer, size_t size) {
  const size_t got = File.ReadInto(Next, buffer, static_cast<size_t>(std::min<uint64_t>(size, End - Next)));
  Next += got;
  return got;
}


