#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/LineCursor.h"
#include "formats/ReadOnlyFile.h"

// One container entry as handed to callers. An Offset of all ones means "not found".
struct TGobItem {
  std::string ContainerName;
  std::string EntryName;  // folder included, "\" as separator
  uint32_t Offset = 0xFFFFFFFFu;
  uint32_t Length = 0xFFFFFFFFu;
};

// One directory entry as stored in the container.
struct TGobListItem {
  uint32_t Offset = 0;
  uint32_t Length = 0;
  std::string Name;
};

// The directory of one .gob/.goo container, sorted by name without regard to case.
class TGob {
 public:
  static constexpr int kHeaderSize = 16;
  static constexpr int kEntrySize = 136;
  static constexpr int kNameSize = 128;
  // More entries than any container of the game holds; a count beyond it is damage.
  static constexpr int32_t kMaxEntries = 1 << 20;

  std::string FileName;

  // False, with the directory left as it was, when no file exists at the path; false with
  // an empty directory when the file is not a container. A directory that does not fit in
  // the file or names more than kMaxEntries entries raises EInOutError and leaves the
  // directory empty.
  bool LoadFromFile(const std::string& path);
  int Count() const { return static_cast<int>(Entries.size()); }
  const TGobListItem& Entry(int index) const;
  // Raises "File list out of bounds." for an index outside the directory.
  void GetEntry(int index, TGobItem& item) const;
  // By file name alone; of several matches the last in directory order wins. True when one
  // was found.
  bool FindFile(std::string_view name, TGobItem& item) const;
  // By full name, "/" or "\" alike, case aside; else, for a name without a folder, as
  // FindFile. True when one was found.
  bool FindEntry(std::string_view name, TGobItem& item) const;
  void Clear() { Entries.clear(); }

 private:
  std::vector<TGobListItem> Entries;
};

// The rows of the open-from-container list: the file name of every ".3do" entry, of every
// folder, in directory order.
std::vector<std::string> ContainerModelRows(const TGob& gob);
// The entry "3do\" + row, compared without regard to case; false when the container holds
// no such model.
bool FindContainerModel(const TGob& gob, std::string_view row, TGobItem& item);

// The bytes of an entry, handed out a block at a time however long the entry claims to be.
// Raises EInOutError when the entry does not lie inside its container.
class TGobEntrySource : public TTextSource {
 public:
  explicit TGobEntrySource(const TGobItem& item);
  size_t Read(char* buffer, size_t size) override;

 private:
  TReadOnlyFile File;
  uint64_t Next, End;
};

