#include "model/Convert.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <string>

#include "model/Errors.h"

namespace {

std::string_view SkipPlus(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

}  // namespace

bool TryStrToInt(std::string_view text, int& value) {
  const std::string_view digits = SkipPlus(text);
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return !digits.empty() && ec == std::errc() && end == digits.data() + digits.size();
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

bool TryStrToFloat(std::string_view text, double& value) {
  text = SkipPlus(text);
  if (text.empty()) return false;
  // from_chars would take "inf" and "nan"; a model coordinate never is one.
  const char first = text[0] == '-' ? (text.size() > 1 ? text[1] : '\0') : text[0];
  if (first != '.' && (first < '0' || first > '9')) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && FitsFileRange(value);
}

double StrToFloat(std::string_view text) {
  double value = 0;
  if (!TryStrToFloat(text, value))
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return value;
}

bool FitsFileRange(double value) { return std::fabs(value) <= FLT_MAX; }

double ClampToFileRange(double value) {
  if (std::isnan(value)) return 0;
  return std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX));
}
