#pragma once
#include <string_view>

// Locale-independent conversions with "." as decimal separator. Both raise EConvertError
// ("'%s' is not a valid integer value" / "'%s' is not a valid floating point value").
int StrToInt(std::string_view text);
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double& value);
