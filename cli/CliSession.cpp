#include "formats/FileKinds.h"
#include "cli/CliCommands.h"
#include "formats/ObjImport.h"
#include "formats/Gob.h"
#include "formats/ReadOnlyFile.h"
#include "editing/FileCommands.h"
#include "model/Errors.h"
#include "model/Text.h"

bool TCliSession::Open(const std::string& path) { return Ended(OpenModel(Core, path, ObjOptions)); }

bool TCliSession::OpenEntry(const std::string& container, const std::string& entry) {
  TGobItem item;
  return FindContainerEntry(container, entry, item) && Ended(OpenContainerEntry(Core, item));
}

bool TCliSession::Ended(const TCommandResult& result) {
  if (result.ToTell()) Tell("%s", result.Message.c_str());
  return result.Succeeded();
}

bool FindContainerEntry(const std::string& container, const std::string& entry, TGobItem& item) {
  TGob gob;
  try {
    if (!RegularFileExists(container)) {
      Tell("%s", NotARegularFile(container).c_str());
      return false;
    }
    if (!gob.LoadFromFile(container)) {
      Tell("'%s' is not a GOB/GOO container", container.c_str());
      return false;
    }
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return false;
  }
  if (gob.FindEntry(entry, item)) return true;
  Tell("No entry '%s' in '%s'", entry.c_str(), container.c_str());
  return false;
}

bool IsContainerName(const std::string& path) { return IsFileFor(path, fuContainer); }

bool TCliSession::Save(const std::string& path) { return Ended(SaveModel(Core, path)); }
