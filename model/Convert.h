#pragma once
#include <string_view>

// Locale-independent conversions with "." as decimal separator. Both raise EConvertError
// ("'%s' is not a valid integer value" / "'%s' is not a valid floating point value").
int StrToInt(std::string_view text);
double StrToFloat(std::string_view text);
// The same without raising: false for a text that is no such number.
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToFloat(std::string_view text, double& value);
// True when the number can be written to a 3DO file and read back as it is: finite and within
// the single-precision range the files are read with.
bool FitsFileRange(double value);
// The nearest number that does: a value beyond the range stops at its edge, and a value that
// is no number at all becomes 0.
double ClampToFileRange(double value);
