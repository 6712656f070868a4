#include "formats/LineFields.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {
// The characters cleaning may change or drop once the line has begun.
constexpr auto Examined = [] {
  std::array<bool, 256> examined{};
  for (const unsigned char c : {'\t', ',', 'x', 'X', ' ', '#', '/'}) examined[c] = true;
  return examined;
}();
// How SplitPlain takes each character: as what separates fields once the line is cleaned,
// as what cleaning leaves in a field, as the "x" of a "0x", or as a sign of a line to clean.
enum TPlainClass : unsigned char { pcOther, pcSeparator, pcField, pcX };
constexpr auto PlainClass = [] {
  std::array<TPlainClass, 256> classes{};
  for (const unsigned char c : std::string_view(" \t,")) classes[c] = pcSeparator;
  for (const unsigned char c : std::string_view("0123456789+-.eE:")) classes[c] = pcField;
  classes['x'] = classes['X'] = pcX;
  return classes;
}();
}  // namespace

void CleanLine(std::string_view raw, std::string& line) {
  // One pass for comments, tabs, commas, "0x", space runs and the leading blanks, written
  // straight into the line: a million rows of a big mesh each pass through here. Deleting
  // "0x" can bring a new "0" and "x" together ("00xx"), or two spaces, so deletion and the
  // collapsing of runs both look back at what has already been written; neither touches what
  // the other looks at. Blanks before anything else is written are the leading ones that go
  // anyway.
  line.resize(raw.size());
  char* const out = line.data();
  size_t w = 0;
  const size_t size = raw.size();
  for (size_t i = 0; i < size; ++i) {
    const char r = raw[i];
    // Digits and signs, most of every row, are copied without a second look.
    if (w > 0 && !Examined[static_cast<unsigned char>(r)]) {
      out[w++] = r;
      continue;
    }
    if (r == '#' || (r == '/' && i + 1 < size && raw[i + 1] == '/')) break;  // a comment ends the line
    const char c = r == '\t' || r == ',' ? ' ' : r;
    if (w == 0) {
      if (static_cast<unsigned char>(c) > ' ') out[w++] = c;
      continue;
    }
    const char last = out[w - 1];
    // The game lower-cases each line before it drops "0x", so "0X" goes too.
    if ((c == 'x' || c == 'X') && last == '0')
      --w;
    else if (c != ' ' || last != ' ')
      out[w++] = c;
  }
  while (w > 0 && static_cast<unsigned char>(out[w - 1]) <= ' ') --w;
  line.resize(w);
}

void TLineFields::Take(std::string_view field, int capacity, bool rowLabel) {
  // A row label glued to its first value ("0:NAME.MAT") is two fields.
  if (rowLabel && Fields.empty()) {
    const auto colon = field.find(':');
    if (colon != std::string_view::npos && colon + 1 < field.size()) {
      Fields.push_back(field.substr(0, colon + 1));
      field = field.substr(colon + 1);
      if (Count() >= capacity) return;
    }
  }
  Fields.push_back(field.substr(0, 255));
}

void TLineFields::Split(std::string_view cleaned, int capacity, bool rowLabel) {
  Fields.clear();
  const size_t size = cleaned.size();
  size_t start = 0;
  while (start <= size && Count() < capacity) {
    // Fields are a few characters long: a plain loop beats a library search for each.
    size_t stop = start;
    while (stop < size && cleaned[stop] != ' ') ++stop;
    Take(cleaned.substr(start, stop - start), capacity, rowLabel);
    if (stop == size) break;
    start = stop + 1;
  }
}

bool TLineFields::SplitPlain(std::string_view raw, int capacity, bool rowLabel) {
  Fields.clear();
  const size_t size = raw.size();
  bool empty = true;
  // Cleaning leaves the fields before any character it would change as they are, so the
  // line is looked at only as far as the fields taken.
  for (size_t i = 0; Count() < capacity;) {
    while (i < size && PlainClass[static_cast<unsigned char>(raw[i])] == pcSeparator) ++i;
    if (i == size) break;
    const size_t start = i;
    size_t x = 0;  // where the field's one "x" is
    for (; i < size; ++i) {
      const TPlainClass c = PlainClass[static_cast<unsigned char>(raw[i])];
      if (c == pcSeparator) break;
      if (c == pcOther) return false;
      if (c == pcX) {
        if (x || i != start + 1 || raw[start] != '0') return false;
        x = i;
      }
    }
    std::string_view field = raw.substr(start, i - start);
    if (x) {
      if (field.size() < 3) return false;  // "0x" alone: cleaning drops the field
      field.remove_prefix(2);
    }
    empty = false;
    Take(field, capacity, rowLabel);
  }
  if (empty && capacity > 0) Fields.emplace_back();  // a blank line is one empty field
  return true;
}
