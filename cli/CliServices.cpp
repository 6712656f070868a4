#include "cli/CliServices.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "model/Text.h"

void Tell(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  std::string_view rest = text;
  do {
    const size_t end = std::min(rest.find('\n'), rest.size());
    std::fprintf(stderr, "zarn-cli: %.*s\n", static_cast<int>(end), rest.data());
    rest.remove_prefix(std::min(end + 1, rest.size()));
  } while (!rest.empty());
}

TCliServices::~TCliServices() {
  if (!NameMissingMaterials || Missing.empty()) return;
  std::string names;
  for (const std::string& name : Missing) names += (names.empty() ? "" : ", ") + name;
  Tell("%s not found: %s", Missing.size() == 1 ? "material" : "materials", names.c_str());
}

void TCliServices::AddOutput(const std::string& line) {
  THeadlessServices::AddOutput(line);
  Tell("%s", line.c_str());
}

void TCliServices::ShowError(const std::string& text) {
  THeadlessServices::ShowError(text);
  Tell("%s", text.c_str());
}

void TCliServices::ShowInformation(const std::string& text) {
  THeadlessServices::ShowInformation(text);
  Tell("%s", text.c_str());
}

void TCliServices::MaterialNotFound(const std::string& name, const std::string& line) {
  Output.push_back(line);
  if (std::none_of(Missing.begin(), Missing.end(), [&](const std::string& m) { return SameText(m, name); }))
    Missing.push_back(name);
}
