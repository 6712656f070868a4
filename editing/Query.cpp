#include "editing/Query.h"

#include <charconv>
#include <utility>

#include "model/Convert.h"
#include "document/Core.h"

TQuery::TQuery(const TQueryForm& form) : Caption(form.Caption) {
  for (const TQueryField& field : form.Fields) {
    Lines.push_back(std::string(field.Name) + "=" + (field.Default ? field.Default : ""));
    Choices.push_back(field.Choices);
  }
}

TQuery::TQuery(const TQueryForm& form, std::vector<std::string> lines) : Caption(form.Caption), Lines(std::move(lines)) {}

bool TQuery::Ask(TCore& core) {
  std::vector<std::string> names;
  for (const std::string& line : Lines) names.push_back(line.substr(0, line.find('=')));
  if (!core.Services.QueryChoices(Caption, Lines, Choices)) return false;
  // A value the user emptied is given empty, not left for the command to work out.
  for (const std::string& name : names)
    if (!Has(name)) Lines.push_back(name + "=");
  return true;
}

void TQuery::Set(const std::string& name, const std::string& value) {
  for (std::string& line : Lines)
    if (line.compare(0, line.find('='), name) == 0) line = name + "=" + value;
}

std::string TQuery::Value(const std::string& name) const {
  for (const std::string& line : Lines) {
    const auto eq = line.find('=');
    if (eq != std::string::npos && line.compare(0, eq, name) == 0) return line.substr(eq + 1);
  }
  return {};
}

bool TQuery::Has(const std::string& name) const {
  for (const std::string& line : Lines)
    if (line.compare(0, line.find('='), name) == 0) return true;
  return false;
}

double TQuery::Float(const std::string& name) const { return StrToFloat(Value(name)); }

int TQuery::Int(const std::string& name) const { return StrToInt(Value(name)); }

std::string FormatG(double value) {
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
  return std::string(buffer, end);
}
