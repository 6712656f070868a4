#include "formats/LineFields.h"

#include <algorithm>
#include <array>

namespace {
// The characters cleaning may change or drop once the line has begun.
constexpr auto Examined = [] {
  std::array<bool, 256> examined{};
  for (const unsigned char c : {'\t', ',', 'x', ' ', '#', '/'}) examined[c] = true;
  return examined;
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
    if (c == 'x' && last == '0')
      --w;
    else if (c != ' ' || last != ' ')
      out[w++] = c;
  }
  while (w > 0 && static_cast<unsigned char>(out[w - 1]) <= ' ') --w;
  line.resize(w);
}

void TLineFields::Split(std::string_view cleaned, int capacity, bool rowLabel) {
  Fields.clear();
  const size_t size = cleaned.size();
  size_t start = 0;
  while (start <= size && static_cast<int>(Fields.size()) < capacity) {
    // Fields are a few characters long: a plain loop beats a library search for each.
    size_t stop = start;
    while (stop < size && cleaned[stop] != ' ') ++stop;
    std::string_view field = cleaned.substr(start, stop - start);
    // A row label glued to its first value ("0:NAME.MAT") is two fields.
    if (rowLabel && Fields.empty()) {
      const auto colon = field.find(':');
      if (colon != std::string_view::npos && colon + 1 < field.size()) {
        Fields.push_back(field.substr(0, colon + 1));
        field = field.substr(colon + 1);
        if (static_cast<int>(Fields.size()) >= capacity) break;
      }
    }
    Fields.push_back(field.substr(0, 255));
    if (stop == size) break;
    start = stop + 1;
  }
}
