#include "cli/CliServices.h"

#include <algorithm>
#include <cstdio>

#include "model/Materials.h"

TCliServices::~TCliServices() {
  if (!NameMissingMaterials || Missing.empty()) return;
  std::string names;
  for (const std::string& name : Missing) names += (names.empty() ? "" : ", ") + name;
  std::fprintf(stderr, "zarn-cli: %s not found: %s\n", Missing.size() == 1 ? "material" : "materials",
               names.c_str());
}

void TCliServices::MaterialNotFound(const std::string& name, const std::string& line) {
  Output.push_back(line);
  if (std::none_of(Missing.begin(), Missing.end(), [&](const std::string& m) { return SameText(m, name); }))
    Missing.push_back(name);
}
