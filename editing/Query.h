#pragma once
#include <string>
#include <vector>

class TCore;

// A "Name=Value" list handed to the user's query dialog and read back by name.
class TQuery {
 public:
  explicit TQuery(std::vector<std::string> lines) : Lines(std::move(lines)) {}

  // Shows the list under the caption; true when the user accepted.
  bool Ask(TCore& core, const std::string& caption);
  // The value after the first "=" of the line named `name`; empty when the line is gone.
  std::string Value(const std::string& name) const;
  // Both raise EConvertError naming the text when it is not a number.
  double Float(const std::string& name) const;
  int Int(const std::string& name) const;

  std::vector<std::string> Lines;
};

// A number as the query dialogs show run-time defaults: general format, 15 significant digits.
std::string FormatG(double value);
