#include "editing/FileCommands.h"

#include <memory>

#include "document/Core.h"
#include "document/MaterialLookup.h"
#include "editing/GameCheck.h"
#include "editing/GameWarnings.h"
#include "editing/ObjMaterials.h"
#include "editing/Step.h"
#include "formats/FileIO.h"
#include "formats/Gob.h"
#include "formats/FileKinds.h"
#include "formats/ReadOnlyFile.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

constexpr unsigned kEverything =
    chGeometry | chSelection | chProperties | chHierarchy | chMaterials | chFileName | chModel;

// A model to read into beside the document's, reporting and finding materials as the
// document's own does. `file` names where its materials are looked up.
std::unique_ptr<TModel> FreshModel(TCore& core, const std::string& file = {}) {
  auto fresh = std::make_unique<TModel>();
  fresh->Services = &core.Services;
  fresh->FileName = file;
  // Materials decode through the colormap the document's model uses.
  fresh->Materials.Palette = core.Model->Materials.Palette;
  fresh->Materials.LightTable = core.Model->Materials.LightTable;
  if (core.Model->Materials.Loader) InstallMaterialLoader(core, *fresh);
  return fresh;
}

// What was read becomes the document's model: a new file with an empty history, shown at
// rest, with nothing selected, in node mode with the select tool, as a model opened first.
TCommandResult Adopt(TCore& core, TModel& fresh) {
  core.ClearSelection();
  core.Pose = {};
  core.EditMode = emNode;
  core.ToolMode = tmSelect;
  core.Model->TakeContents(fresh);
  core.ResetHistory();
  core.Changed(kEverything);
  return {};
}

// Why the path is no file to read, or empty.
TCommandResult NotAFile(const std::string& path) { return TCommandResult::Refused(NotARegularFile(path)); }

}  // namespace

TCommandResult NewModel(TCore& core) {
  TModel empty;
  return Adopt(core, empty);
}

TCommandResult OpenModel(TCore& core, const std::string& path, const TObjImportOptions& obj) {
  if (!RegularFileExists(path)) return NotAFile(path);
  // A file of no model kind is read as 3DO text, whatever it is named.
  const TFileKind* kind = FileKindOf(path);
  if (!kind || !kind->ReadModel) kind = &FileKind(TFileFormat::ThreeDo);
  // The materials of a file the model does not save back to are looked up beside it.
  auto fresh = FreshModel(core, kind->Uses & fuSave ? std::string() : path);
  const TReadResult read = kind->ReadModel(*fresh, path, {obj});
  if (!read) return TCommandResult::Failed(read.Message, true);
  return Adopt(core, *fresh);
}

TCommandResult OpenContainerEntry(TCore& core, const TGobItem& item) {
  auto fresh = FreshModel(core);
  const TReadResult read = Load3DOEntry(*fresh, item);
  if (!read) return TCommandResult::Failed(read.Message, true);
  return Adopt(core, *fresh);
}

TCommandResult RevertModel(TCore& core) {
  const std::string name = core.Model->FileName;
  if (!RegularFileExists(name)) return TCommandResult::Unchanged();
  auto fresh = FreshModel(core);
  const TReadResult read = Load3DOFile(*fresh, name);
  if (!read) return TCommandResult::Failed(read.Message, true);
  return Adopt(core, *fresh);
}

TCommandResult ImportMesh(TCore& core, const std::string& path, const TObjImportOptions& options) {
  if (!RegularFileExists(path)) return NotAFile(path);
  const TFileKind* kind = FileKindOf(path);
  if (!kind || !(kind->Uses & fuImport)) return TCommandResult::Refused("File Format not supported");
  auto fresh = FreshModel(core, ObjMaterialHome(core, path));
  const TReadResult read = kind->ReadModel(*fresh, path, {options});
  if (!read) return TCommandResult::Failed(read.Message, true);
  const TCommandResult imported = RunStep(core, "Import", [&] {
    core.Model->AdoptNodes(*fresh);
    core.Model->Update();
    return TCommandResult{};
  });
  if (imported.Outcome == TOutcome::Failed) return imported;
  return {};
}

TCommandResult SaveModel(TCore& core, const std::string& path) {
  for (const std::string& line : GameWarnings(*core.Model)) core.Services.AddOutput("Warning: " + line);
  // An untitled model (an import) has no folder of its own: its materials are looked for
  // where it is being saved, as the game will look for them.
  const bool untitled = core.Model->FileName.empty();
  if (untitled) core.Model->FileName = path;
  const std::vector<std::string> breaches = CheckForGame(*core.Model, MaterialFinder(core));
  if (untitled) core.Model->FileName.clear();
  if (!breaches.empty()) {
    for (const std::string& line : breaches) core.Services.AddOutput(line);
    if (!core.Services.AskSaveAnyway(breaches)) return TCommandResult::Unchanged();
  }
  try {
    Save3DOFile(*core.Model, path);
  } catch (const EZarnError& e) {
    return TCommandResult::Failed(e.what());
  }
  core.History.MarkSaved();
  core.Changed(chFileName);
  return {};
}
