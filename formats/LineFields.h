#pragma once
#include <string>
#include <string_view>
#include <vector>

// A 3DO line cleaned into `line`: comments cut (at the first "//" or "#"), tabs and commas
// made spaces, every "0x" deleted, runs of spaces reduced to one, both ends trimmed of blanks.
void CleanLine(std::string_view raw, std::string& line);

// The fields of one cleaned line, at most `capacity` of them and each at most 255
// characters; fields beyond the capacity are dropped. A field that was not present reads
// as empty text.
class TLineFields {
 public:
  void Split(std::string_view cleaned, int capacity, bool rowLabel);
  // The fields that CleanLine and then Split would give, read straight from the raw line
  // when cleaning would only collapse its blanks, tabs and commas and drop "0x" from the
  // front of a field, as in the rows of a big mesh; false, with the fields undefined, for any
  // other line.
  bool SplitPlain(std::string_view raw, int capacity, bool rowLabel);
  std::string_view operator[](int index) const {
    return index >= 0 && index < static_cast<int>(Fields.size()) ? Fields[static_cast<size_t>(index)]
                                                                   : std::string_view();
  }
  int Count() const { return static_cast<int>(Fields.size()); }

 private:
  // One field of the line as Split takes it, while there is room.
  void Take(std::string_view field, int capacity, bool rowLabel);
  std::vector<std::string_view> Fields;
};
