#include <cstdio>

#include "cli/CliCommands.h"
#include "formats/Gob.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"

bool TCliSession::Open(const std::string& path) {
  if (SameText(ExtensionPart(path), ".obj")) {
    if (!RegularFileExists(path)) {
      std::fprintf(stderr, "%s\n", NotARegularFile(path).c_str());
      return false;
    }
    const bool imported = Core.Model->ImportObj(path, ObjOptions).Ok;  // a failure was shown on standard error
    Core.Model->Update();
    return imported;
  }
  return Core.Model->LoadFromFile(path).Ok;
}

bool TCliSession::OpenEntry(const std::string& container, const std::string& entry) {
  TGobItem item;
  if (!FindContainerEntry(container, entry, item)) return false;
  return Core.Model->LoadFromContainer(item).Ok;
}

bool FindContainerEntry(const std::string& container, const std::string& entry, TGobItem& item) {
  TGob gob;
  try {
    if (!RegularFileExists(container)) {
      std::fprintf(stderr, "%s\n", NotARegularFile(container).c_str());
      return false;
    }
    if (!gob.LoadFromFile(container)) {
      std::fprintf(stderr, "Failed to load GOB/GOO '%s'\n", container.c_str());
      return false;
    }
  } catch (const EZarnError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
  std::string wanted = entry;
  for (char& c : wanted)
    if (c == '/') c = '\\';
  for (int i = 0; i < gob.Count(); ++i) {
    if (SameText(gob.Entry(i).Name, wanted)) {
      gob.GetEntry(i, item);
      return true;
    }
  }
  if (FileNamePart(wanted) == wanted && gob.FindFile(wanted, item)) return true;
  std::fprintf(stderr, "No entry '%s' in '%s'\n", entry.c_str(), container.c_str());
  return false;
}

bool TCliSession::Save(const std::string& path) {
  try {
    Core.Model->SaveToFile(path);
    return true;
  } catch (const EZarnError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
}
