#pragma once
#include <string>
#include <vector>

// Lists of "Name=Value" lines, the way commands hand their parameters to the query dialog and
// read the answers back. Names compare without regard to case.

// The text before the first "=", or the whole line when it has none.
std::string ValueName(const std::string& line);
// The line holding the name, or -1.
int IndexOfName(const std::vector<std::string>& lines, const std::string& name);
// The text after the first "=" of the name's line; empty when the name is missing.
std::string GetValue(const std::vector<std::string>& lines, const std::string& name);
// Replaces the name's value, appending a line for a new name; an empty value removes the
// name's line, so that a reader then sees an empty value.
void SetValue(std::vector<std::string>& lines, const std::string& name, const std::string& value);
