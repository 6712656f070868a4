#include "model/Errors.h"

std::string FormatIndexMessage(const char* message, long long index) {
  std::string text(message);
  const auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(index));
  return text;
}

void RaiseListError(const char* message, long long index) {
  throw EListError(FormatIndexMessage(message, index));
}
