#pragma once
#include <set>
#include <string>
#include <string_view>

// Node, mesh and material names stand as one field at the end of a 3DO row, and the reader
// cleans every line before it splits it: a blank, tab or comma splits the name, a "#" or "//"
// cuts it and every "0x" is deleted. The game holds at most this many characters of a name.
constexpr size_t kMostNameChars = 31;

// True when the name would read back from a 3DO file as written and fits the game. The empty
// name passes: it is written as nothing and read back as nothing.
bool NameReadsBack(std::string_view name);

// True when a name read from a 3DO file comes back the same once written. The reader has
// already taken out what splits or cuts a field; but a control character that ended a field
// followed by others would now end the line, and be trimmed with its end. Such a name keeps
// its length and its other control characters: they come back as they were.
bool NameWritesBack(std::string_view name);

// The name with each character that would split or cut it made "_" (the second character of
// "//" and "0x"), and shortened to the game's length; a short extension such as ".mat" stays.
std::string SafeName(std::string_view name);

// The names one read had to change, reported in one output line.
class TNameRepairs {
 public:
  // `keeps` says which names stay as they are (NameReadsBack or NameWritesBack).
  explicit TNameRepairs(bool (*keeps)(std::string_view)) : Keeps(keeps) {}
  // The name as it can be kept, counting each name that had to change once.
  std::string Repair(std::string_view name);
  // Empty when nothing changed; otherwise one line naming the first change and the count.
  std::string Report() const;

 private:
  bool (*Keeps)(std::string_view);
  std::set<std::string, std::less<>> Changed;
  std::string FirstOld, FirstNew;
};

// The name for a message: control characters spelled out ("\r", "\n", "\x01"), so that a
// name cannot break the message's line.
std::string PrintableName(std::string_view name);
