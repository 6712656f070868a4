#include "formats/KeyReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "formats/ColormapPlaces.h"
#include "formats/FileIO.h"
#include "formats/Gob.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

// Walks the KEY's lines as the game does: "#" starts a comment, blank lines count for
// nothing, words are separated by spaces or tabs and keywords compare without regard to case.
class TKeyParser {
 public:
  TKeyParser(TTextSource& source, const std::string& name) : Lines(source), Name(name) {}
  TKeyAnimation Parse();

 private:
  bool Next();
  // The next line, which must exist: the file ending before `what` is damage.
  void Need(const std::string& what);
  [[noreturn]] void Fail(const std::string& what) const {
    throw EParserError(Name + ", line " + std::to_string(LineNumber) + ": " + what);
  }
  bool Is(size_t word, std::string_view keyword) const { return word < Words.size() && SameText(Words[word], keyword); }
  std::string_view Word(size_t word) const { return word < Words.size() ? Words[word] : std::string_view(); }
  int Count(size_t word, const char* what, int most) const;
  unsigned Hex(size_t word, const char* what) const;
  // The header's FLAGS: the game reads it as a decimal number; "0x" before it marks it as
  // written in hexadecimal by another program, and it is kept as that program meant it.
  unsigned HeaderFlags(size_t word) const;
  double Number(size_t word, const char* what) const;
  // True when the line starts a section, whose name (the words after "SECTION:") is kept.
  bool AtSection();
  void ReadHeader(TKeyAnimation& key);
  void ReadMarkers(TKeyAnimation& key);
  void ReadNodes(TKeyAnimation& key);

  TLineCursor Lines;
  std::string Name;
  int64_t LineNumber = 0;
  std::string Text;
  std::vector<std::string_view> Words;
  std::string Section;
  int TotalEntries = 0;
};

bool TKeyParser::Next() {
  while (Lines.Next()) {
    ++LineNumber;
    Text.assign(Lines.Current());
    if (const size_t hash = Text.find('#'); hash != std::string::npos) Text.resize(hash);
    Words.clear();
    size_t at = 0;
    while (at < Text.size()) {
      const size_t start = Text.find_first_not_of(" \t", at);
      if (start == std::string::npos) break;
      const size_t end = std::min(Text.find_first_of(" \t", start), Text.size());
      Words.emplace_back(Text.data() + start, end - start);
      at = end;
    }
    if (!Words.empty()) return true;
  }
  return false;
}

void TKeyParser::Need(const std::string& what) {
  if (!Next()) throw EParserError(Name + ": the file ends before " + what);
}

int TKeyParser::Count(size_t word, const char* what, int most) const {
  const std::string_view text = Word(word);
  int value = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0 || value > most)
    Fail(std::string(what) + " '" + std::string(text) + "' is not a count from 0 to " + std::to_string(most));
  return value;
}

unsigned TKeyParser::Hex(size_t word, const char* what) const {
  std::string_view text = Word(word);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    Fail(std::string(what) + " '" + std::string(Word(word)) + "' is not a hexadecimal number of 32 bits");
  return value;
}

unsigned TKeyParser::HeaderFlags(size_t word) const {
  const std::string_view text = Word(word);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return Hex(word, "FLAGS");
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    Fail("FLAGS '" + std::string(text) + "' is not a decimal number of 32 bits");
  return value;
}

double TKeyParser::Number(size_t word, const char* what) const {
  double value = 0;
  if (!TryStrToFloat(Word(word), value))
    Fail(std::string(what) + " '" + std::string(Word(word)) + "' is not a number");
  return value;
}

bool TKeyParser::AtSection() {
  if (!Is(0, "SECTION:")) return false;
  Section.clear();
  for (size_t i = 1; i < Words.size(); ++i) {
    if (i > 1) Section += ' ';
    for (const char c : Words[i]) Section += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return true;
}

TKeyAnimation TKeyParser::Parse() {
  TKeyAnimation key;
  Need("its header");
  if (!AtSection() || Section != "HEADER") Fail("a KEY starts with \"SECTION: HEADER\"");
  ReadHeader(key);  // stops at the next section
  bool nodes = false;
  while (!nodes && !Section.empty()) {
    const std::string section = Section;
    Section.clear();
    if (section == "MARKERS") {
      ReadMarkers(key);
    } else if (section == "KEYFRAME NODES") {
      ReadNodes(key);
      nodes = true;
    } else {
      while (Next())  // a section the game does not read is passed over
        if (AtSection()) break;
    }
  }
  if (!nodes) throw EParserError(Name + ": the file ends before \"SECTION: KEYFRAME NODES\"");
  return key;
}

void TKeyParser::ReadHeader(TKeyAnimation& key) {
  Section.clear();
  bool frames = false, fps = false, joints = false;
  while (Next() && !AtSection()) {
    if (Is(0, "FLAGS")) {
      key.Flags = HeaderFlags(1);
    } else if (Is(0, "TYPE")) {
      key.Type = Hex(1, "TYPE");
    } else if (Is(0, "FRAMES")) {
      key.Frames = Count(1, "FRAMES", 1 << 24);
      if (key.Frames < 1) Fail("FRAMES must be at least 1");
      frames = true;
    } else if (Is(0, "FPS")) {
      key.Fps = Number(1, "FPS");
      if (!(key.Fps > 0)) Fail("FPS must be more than 0");
      fps = true;
    } else if (Is(0, "JOINTS")) {
      key.Joints = Count(1, "JOINTS", kKeyMaxNodes);
      joints = true;
    }
  }
  if (!frames || !fps || !joints)
    throw EParserError(Name + ": the header lacks " + (!frames ? "FRAMES" : !fps ? "FPS" : "JOINTS"));
  if (Section.empty()) throw EParserError(Name + ": the file ends before \"SECTION: KEYFRAME NODES\"");
}

void TKeyParser::ReadMarkers(TKeyAnimation& key) {
  Need("the count of markers");
  if (!Is(0, "MARKERS")) Fail("\"MARKERS\" and a count expected");
  const int count = Count(1, "MARKERS", 1 << 30);
  if (count > kKeyMaxMarkers)
    Fail(std::to_string(count) + " markers; the game reads at most " + std::to_string(kKeyMaxMarkers));
  for (int i = 0; i < count; ++i) {
    Need("marker " + std::to_string(i));
    key.Markers.push_back({Number(0, "A marker's frame"), static_cast<int>(Count(1, "A marker's type", 1 << 30))});
  }
  while (Next())
    if (AtSection()) return;
}

void TKeyParser::ReadNodes(TKeyAnimation& key) {
  Need("the count of nodes");
  if (!Is(0, "NODES")) Fail("\"NODES\" and a count expected");
  const int count = Count(1, "NODES", kKeyMaxNodes);
  std::vector<bool> seen(kKeyMaxNodes);
  for (int n = 0; n < count; ++n) {
    Need("node " + std::to_string(n) + " of " + std::to_string(count));
    if (!Is(0, "NODE")) Fail("\"NODE\" and an index expected");
    TKeyNode node;
    node.Index = Count(1, "NODE", kKeyMaxNodes - 1);
    if (seen[static_cast<size_t>(node.Index)]) Fail("node " + std::to_string(node.Index) + " is listed twice");
    seen[static_cast<size_t>(node.Index)] = true;
    Need("the mesh name of node " + std::to_string(node.Index));
    if (!Is(0, "MESH") || !Is(1, "NAME")) Fail("\"MESH NAME\" expected");
    node.MeshName = std::string(Word(2));
    Need("the entries of node " + std::to_string(node.Index));
    if (!Is(0, "ENTRIES")) Fail("\"ENTRIES\" and a count expected");
    const int entries = Count(1, "ENTRIES", kKeyMaxEntries);
    if (TotalEntries + entries > kKeyMaxTotalEntries)
      Fail("the nodes hold more than " + std::to_string(kKeyMaxTotalEntries) + " entries together");
    TotalEntries += entries;
    for (int e = 0; e < entries; ++e) {
      const std::string which = "entry " + std::to_string(e) + " of node " + std::to_string(node.Index);
      Need(which);
      if (Words.size() < 9 || Word(0).back() != ':') Fail(which + ": \"N: frame flags x y z pitch yaw roll\" expected");
      TKeyEntry entry;
      entry.Frame = Number(1, "The frame");
      if (!node.Entries.empty() && entry.Frame < node.Entries.back().Frame)
        Fail(which + " comes before the entry above it (frame " + FormatFloatTrim(entry.Frame, 6) + ")");
      entry.Flags = Hex(2, "The flags");
      entry.Position = {Number(3, "x"), Number(4, "y"), Number(5, "z")};
      entry.Rotation = {Number(6, "pitch"), Number(7, "yaw"), Number(8, "roll")};
      Need("the deltas of " + which);
      if (Words.size() < 6) Fail(which + ": six deltas \"dx dy dz dpitch dyaw droll\" expected");
      entry.DeltaPosition = {Number(0, "dx"), Number(1, "dy"), Number(2, "dz")};
      entry.DeltaRotation = {Number(3, "dpitch"), Number(4, "dyaw"), Number(5, "droll")};
      node.Entries.push_back(entry);
    }
    key.Nodes.push_back(std::move(node));
  }
}

}  // namespace

TKeyAnimation ReadKey(TTextSource& source, const std::string& name) { return TKeyParser(source, name).Parse(); }

TKeyAnimation ReadKeyFile(const std::string& path) {
  TFileSource source(path);
  return ReadKey(source, std::string(FileNamePart(path)));
}

TKeyAnimation ReadKeyEntry(const TGobItem& item) {
  TGobEntrySource source(item);
  return ReadKey(source, std::string(FileNamePart(item.EntryName)));
}

TKeyAnimation ReadKeyAt(const TColormapPlace& place) {
  return place.Entry.empty() ? ReadKeyFile(place.Path) : ReadKeyEntry(GobItemAt(place));
}

TKeyAnimation ReadKeyNamed(const std::string& name) { return ReadKeyAt(ColormapPlaceNamed(name)); }
