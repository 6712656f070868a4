#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TGob;

// One entry of a container about to be written: its name and the bytes of a file, whole or
// a range of it (an entry kept from the container being replaced).
struct TGobSourceEntry {
  std::string Name;  // folder included, "\" between folders
  std::string Path;  // empty: the bytes are Data
  uint64_t Offset = 0;
  uint64_t Length = 0;
  std::string Data;
};

// The entry of bytes in memory, such as a model's text.
inline TGobSourceEntry MemoryEntry(const std::string& name, std::string data) {
  const uint64_t length = data.size();
  return {name, {}, 0, length, std::move(data)};
}

// The entry of a file's whole contents, named `name`; raises EInOutError when the file does
// not open.
TGobSourceEntry WholeFileEntry(const std::string& name, const std::string& path);

// The folder the game looks in for a file of this kind ("3do\", "mat\", "3do\key\",
// "misc\cmp\", "misc\pup\") followed by the file's name; empty for a kind the game keeps
// nowhere in particular.
std::string GameEntryName(std::string_view path);

// The entry a name given for a file makes: a bare name of a kind the game keeps in a folder
// goes into that folder, as an unnamed file does; a name with folders stays as given, "/"
// made "\". Empty for a name a tool unpacking the container would write outside its folder
// (a ".." part, a drive's ":", or a leading "/" or "\"), or for no name at all.
std::string GivenEntryName(std::string_view name);

// The container's entries, each read back from its own container, in directory order. Raises
// EInOutError when one lies beyond the end of the file: such a container is not rewritten.
std::vector<TGobSourceEntry> KeptEntries(const TGob& gob);

// `entries` with each of `changes` replacing the bytes of the entry of the same name (case
// aside), which keeps its name as stored, or, when there is none, appended.
std::vector<TGobSourceEntry> MergedEntries(std::vector<TGobSourceEntry> entries,
                                           const std::vector<TGobSourceEntry>& changes);

// Writes a .gob container of the entries in the order given, so that it appears whole or not
// at all: an old file at `path` is replaced only once every byte is written. Raises
// EInOutError, leaving any old file as it was, for a name that does not fit the directory
// (empty or over 127 bytes), two entries of the same name, a container beyond the 4 GiB its
// offsets reach, or a source that no longer holds its range.
void WriteGob(const std::string& path, const std::vector<TGobSourceEntry>& entries);
