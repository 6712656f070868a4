#include "formats/FileKinds.h"
#include "editing/SaveToContainer.h"

#include <filesystem>

#include "editing/GameCheck.h"
#include "formats/Gob.h"
#include "formats/GobWriter.h"
#include "document/MaterialLookup.h"
#include "formats/ReadOnlyFile.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Text.h"
#include "model/WrittenMaterials.h"

namespace {

// The material's own file beside the model, where the model's folder keeps it.
std::string MaterialFile(const std::string& folder, const std::string& name) {
  for (const std::string& candidate : {folder + "/" + name, folder + "/Mat/" + name, folder + "/mat/" + name})
    if (RegularFileExists(candidate)) return candidate;
  return {};
}

}  // namespace

std::string SaveToContainer(TCore& core, const std::string& path) {
  TModel& model = *core.Model;
  try {
    std::vector<TGobSourceEntry> kept;
    if (RegularFileExists(path)) {
      TGob gob;
      if (!gob.LoadFromFile(path)) return "'" + path + "' is no container; it was left as it was";
      kept = KeptEntries(gob);
    }
    std::string name(FileNamePart(model.FileName));
    if (name.empty()) name = "untitled.3do";
    std::string text;
    Write3DO(model, text, model.Nodes.Pointers());
    std::vector<TGobSourceEntry> changes{MemoryEntry("3do\\" + name, std::move(text))};
    const std::string folder =
        model.FileName.empty() ? "." : std::filesystem::path(model.FileName).parent_path().string();
    for (const TMaterial* m : WrittenMaterials(model, model.Nodes.Pointers()))
      if (const std::string file = MaterialFile(folder.empty() ? "." : folder, m->Name); !file.empty())
        changes.push_back(WholeFileEntry("mat\\" + m->Name, file));
    WriteGob(path, MergedEntries(std::move(kept), changes));
  } catch (const EZarnError& e) {
    return e.what();
  }
  return {};
}

TCommandResult actFileSaveToContainer(TCore& core) {
  const std::vector<std::string> breaches = CheckForGame(*core.Model, MaterialFinder(core));
  for (const std::string& line : breaches) core.Services.AddOutput(line);
  if (!breaches.empty() && !core.Services.AskSaveAnyway(breaches)) return TCommandResult::Unchanged();
  const std::string path =
      core.Services.AskSaveFileName(ContainerFilter(), "Save to Container", {});
  if (path.empty()) return TCommandResult::Unchanged();
  if (const std::string problem = SaveToContainer(core, path); !problem.empty()) return Refuse(core.Services, problem);
  core.Services.AddOutput("Saved to container: " + path);
  // The model is kept where the game reads it: a save, which leaves nothing to lose.
  core.History.MarkSaved();
  return {};
}
