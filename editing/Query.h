#pragma once
#include <span>
#include <string>
#include <vector>

class TCore;

// One value a command's dialog asks for.
struct TQueryField {
  const char* Name;
  // The text the dialog starts with; null when the command works it out as the dialog opens,
  // which WorkedOut then describes.
  const char* Default;
  const char* WorkedOut = "";
  // The values the field takes, "|" between them ("0|1" is a yes or no), so that the dialog
  // offers them instead of a text to type; empty for any text.
  const char* Choices = "";
};

// A command's dialog as data: the command builds its query from it and zarn-cli's help lists
// it, so the two cannot tell different stories.
struct TQueryForm {
  const char* Caption;
  std::span<const TQueryField> Fields;
};

// A number the user typed with its text, which a refusal quotes as it was written.
template <class T>
struct TTyped {
  T Value{};
  std::string Text;
};

// A "Name=Value" list handed to the user's query dialog and read back by name.
class TQuery {
 public:
  explicit TQuery(const TQueryForm& form);
  // The form's dialog as answered: these lines under its caption.
  TQuery(const TQueryForm& form, std::vector<std::string> lines);

  // Shows the list under the form's caption; true when the user accepted. A value the user
  // emptied keeps its line, empty.
  bool Ask(TCore& core);
  // Puts a worked-out default in place of the line named `name`.
  void Set(const std::string& name, const std::string& value);
  // The value after the first "=" of the line named `name`; empty when the line is gone.
  std::string Value(const std::string& name) const;
  // False when the line is gone, as a value the command works out is when nobody gave it.
  bool Has(const std::string& name) const;
  // Each raises EConvertError naming the text when it is not a number; the typed ones keep
  // the text with the number.
  double Float(const std::string& name) const;
  int Int(const std::string& name) const;
  TTyped<double> TypedFloat(const std::string& name) const { return {Float(name), Value(name)}; }
  TTyped<int> TypedInt(const std::string& name) const { return {Int(name), Value(name)}; }

  std::string Caption;
  std::vector<std::string> Lines;
  std::vector<std::string> Choices;  // each line's, as TQueryField::Choices
};

// A number as the query dialogs show run-time defaults: general format, 15 significant digits.
std::string FormatG(double value);
