#include "formats/LineFields.h"

#include <cstring>

void CleanLine(std::string& line) {
  if (const auto at = line.find("//"); at != std::string::npos) line.resize(at);
  if (const auto at = line.find('#'); at != std::string::npos) line.resize(at);
  // One pass for tabs, commas, "0x" and space runs, in place: a million rows of a big mesh
  // each pass through here. Deleting "0x" can bring a new "0" and "x" together ("00xx"), or
  // two spaces, so deletion and the collapsing of runs both look back at what has already
  // been written; neither touches what the other looks at.
  size_t w = 0;
  for (size_t r = 0; r < line.size(); ++r) {
    char c = line[r];
    if (c == '\t' || c == ',') c = ' ';
    if (c == 'x' && w > 0 && line[w - 1] == '0') {
      --w;
      continue;
    }
    if (c == ' ' && w > 0 && line[w - 1] == ' ') continue;
    line[w++] = c;
  }
  line.resize(w);
  size_t begin = 0, end = line.size();
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (begin < end && blank(line[begin])) ++begin;
  while (end > begin && blank(line[end - 1])) --end;
  line.resize(end);
  line.erase(0, begin);
}

void TLineFields::Split(std::string_view cleaned, int capacity, bool rowLabel) {
  Fields.clear();
  size_t start = 0;
  while (start <= cleaned.size() && static_cast<int>(Fields.size()) < capacity) {
    size_t stop = cleaned.find(' ', start);
    if (stop == std::string_view::npos) stop = cleaned.size();
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
    if (stop == cleaned.size()) break;
    start = stop + 1;
  }
}
