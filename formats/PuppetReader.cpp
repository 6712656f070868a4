#include "formats/PuppetReader.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "formats/ColormapPlaces.h"
#include "formats/FileIO.h"
#include "formats/Gob.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

// The moves of the game, its sister game's two last.
constexpr std::array<std::string_view, 44> kMoves = {
    "stand",      "walk",     "run",      "walkback",  "strafeleft", "straferight", "death",
    "fire",       "fire3",    "fire4",    "death2",    "hit",        "hit2",        "rising",
    "toss",       "place",    "drop",     "fire2",     "fall",       "land",        "crouchforward",
    "crouchback", "activate", "magic",    "choke",     "leap",       "jump",        "reserved",
    "block",      "block2",   "turnleft", "turnright", "fidget",     "fidget2",     "magic2",
    "magic3",     "victory",  "windup",   "holster",   "drawfists",  "drawgun",     "drawsaber",
    "charge",     "buttpunch"};

class TPuppetParser {
 public:
  TPuppetParser(TTextSource& source, const std::string& name) : Lines(source), Name(name) {}
  TPuppet Parse();

 private:
  bool Next();
  [[noreturn]] void Fail(const std::string& what) const {
    throw EParserError(Name + ", line " + std::to_string(LineNumber) + ": " + what);
  }
  std::string_view Word(size_t word) const {
    return word < Words.size() ? Words[word] : std::string_view();
  }
  int Whole(size_t word, const char* what, int least, int most) const;
  unsigned Hex(size_t word) const;
  // The mode the line starts, or goes back to; valid until the next mode is started.
  TPuppetMode& StartMode(TPuppet& puppet);
  void ReadJoints(TPuppet& puppet);
  void ReadSubmode(TPuppetMode* mode);

  TLineCursor Lines;
  std::string Name;
  int64_t LineNumber = 0;
  std::string Text;
  std::vector<std::string_view> Words;
};

bool TPuppetParser::Next() {
  while (Lines.Next()) {
    ++LineNumber;
    Text.assign(Lines.Current());
    if (const size_t hash = Text.find('#'); hash != std::string::npos) Text.resize(hash);
    for (char& c : Text)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    Words.clear();
    size_t at = 0;
    while (at < Text.size()) {
      const size_t start = Text.find_first_not_of(" \t=,", at);
      if (start == std::string::npos) break;
      const size_t end = std::min(Text.find_first_of(" \t=,", start), Text.size());
      Words.emplace_back(Text.data() + start, end - start);
      at = end;
    }
    if (!Words.empty()) return true;
  }
  return false;
}

int TPuppetParser::Whole(size_t word, const char* what, int least, int most) const {
  const std::string_view text = Word(word);
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < least ||
      value > most)
    Fail(std::string(what) + " '" + std::string(text) + "' is not a whole number from " +
         std::to_string(least) + " to " + std::to_string(most));
  return static_cast<int>(value);
}

unsigned TPuppetParser::Hex(size_t word) const {
  std::string_view text = Word(word);
  if (text.size() > 2 && text[0] == '0' && text[1] == 'x') text.remove_prefix(2);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    Fail("FLAGS '" + std::string(Word(word)) + "' is not a hexadecimal number of 32 bits");
  return value;
}

TPuppet TPuppetParser::Parse() {
  TPuppet puppet;
  TPuppetMode* mode = nullptr;
  while (Next()) {
    if (Word(0) == "mode") {
      mode = &StartMode(puppet);
    } else if (Word(0) == "joints") {
      ReadJoints(puppet);
    } else if (IsPuppetMove(Word(0))) {
      ReadSubmode(mode);
    } else {
      ++puppet.IgnoredLines;
    }
  }
  return puppet;
}

TPuppetMode& TPuppetParser::StartMode(TPuppet& puppet) {
  if (Words.size() != 2 && (Words.size() != 4 || Word(2) != "basedon"))
    Fail("\"mode=N\" or \"mode=N, basedon=M\" expected");
  const int number = Whole(1, "The mode", 0, kPuppetMaxModes - 1);
  const int basedOn = Words.size() == 4 ? Whole(3, "basedon", 0, kPuppetMaxModes - 1) : -1;
  const auto numbered = [&](int n) {
    return std::find_if(puppet.Modes.begin(), puppet.Modes.end(),
                        [n](const TPuppetMode& m) { return m.Mode == n; });
  };
  // A mode started again goes back to its record, so that each number is one record.
  auto mode = numbered(number);
  if (mode == puppet.Modes.end()) {
    puppet.Modes.push_back({number, -1, {}});
    mode = puppet.Modes.end() - 1;
  }
  if (basedOn < 0) return *mode;
  mode->BasedOn = basedOn;
  // A mode not yet read is empty, as the game's own copy of it would be.
  if (const auto base = numbered(basedOn); base != puppet.Modes.end() && base != mode)
    mode->Submodes = base->Submodes;
  return *mode;
}

void TPuppetParser::ReadJoints(TPuppet& puppet) {
  const int64_t start = LineNumber;
  for (;;) {
    if (!Next())
      throw EParserError(Name + ": the file ends before the \"end\" of the joints of line " +
                         std::to_string(start));
    if (Word(0) == "end") return;
    if (Words.size() < 2) Fail("\"bodypart=node\" expected");
    const TPuppetJoint joint{Whole(0, "The body part", 0, kPuppetBodyParts - 1),
                             Whole(1, "The node", 0, kPuppetMaxNode)};
    const auto same =
        std::find_if(puppet.Joints.begin(), puppet.Joints.end(),
                     [&](const TPuppetJoint& j) { return j.BodyPart == joint.BodyPart; });
    if (same != puppet.Joints.end())
      *same = joint;
    else
      puppet.Joints.push_back(joint);
  }
}

void TPuppetParser::ReadSubmode(TPuppetMode* mode) {
  if (!mode) Fail("'" + std::string(Word(0)) + "' comes before any \"mode=N\"");
  if (Words.size() < 2) Fail("'" + std::string(Word(0)) + "' names no KEY");
  TPuppetSubmode submode{std::string(Word(0)), std::string(Word(1)), 0, 0, 0};
  if (Words.size() > 2) submode.Flags = Hex(2);
  if (Words.size() > 3) submode.LowPriority = Whole(3, "LOWPRI", INT32_MIN, INT32_MAX);
  submode.HighPriority =
      Words.size() > 4 ? Whole(4, "HIPRI", INT32_MIN, INT32_MAX) : submode.LowPriority;
  const auto same = std::find_if(mode->Submodes.begin(), mode->Submodes.end(),
                                 [&](const TPuppetSubmode& s) { return s.Name == submode.Name; });
  if (same != mode->Submodes.end())
    *same = std::move(submode);
  else
    mode->Submodes.push_back(std::move(submode));
}

}  // namespace

bool IsPuppetMove(std::string_view name) {
  return std::any_of(kMoves.begin(), kMoves.end(),
                     [name](std::string_view move) { return SameText(move, name); });
}

TPuppet ReadPuppet(TTextSource& source, const std::string& name) {
  return TPuppetParser(source, name).Parse();
}

TPuppet ReadPuppetFile(const std::string& path) {
  TFileSource source(path);
  return ReadPuppet(source, std::string(FileNamePart(path)));
}

TPuppet ReadPuppetEntry(const TGobItem& item) {
  TGobEntrySource source(item);
  return ReadPuppet(source, std::string(FileNamePart(item.EntryName)));
}

TPuppet ReadPuppetAt(const TColormapPlace& place) {
  return place.Entry.empty() ? ReadPuppetFile(place.Path) : ReadPuppetEntry(GobItemAt(place));
}

TPuppet ReadPuppetNamed(const std::string& name) { return ReadPuppetAt(ColormapPlaceNamed(name)); }
