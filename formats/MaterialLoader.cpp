#include "formats/MaterialLoader.h"

#include <cstdint>

#include "formats/Gob.h"
#include "formats/Mat.h"
#include "formats/PathMap.h"
#include "model/Core.h"
#include "model/Errors.h"

namespace {

class TMaterialSearch {
 public:
  TMaterialSearch(TCore& core, TMaterial& material) : Core(core), Material(material) {}

  void Run() {
    const std::string folder(FolderPart(Core.Model->FileName));
    if (ReadFile(folder + Material.Name) || ReadFile(folder + "Mat\\" + Material.Name)) return;
    for (const std::string& container : Core.ResourceList)
      if (ReadFromContainer(container)) return;
    Core.Services.AddOutput("Material not found '" + Material.Name + "'");
  }

 private:
  bool ReadFile(const std::string& candidate) {
    const std::string path = FindFileNoCase(candidate);
    if (path.empty()) return false;
    Read(path, 0, UINT64_MAX);
    return true;
  }

  bool ReadFromContainer(const std::string& container) {
    TGob gob;
    try {
      const std::string path = FindFileNoCase(container);
      if (path.empty() || !gob.LoadFromFile(path)) return false;
    } catch (const EZarnError& e) {
      Core.Services.AddOutput(e.what());  // a damaged container is passed over
      return false;
    }
    TGobItem item;
    if (!gob.FindFile(Material.Name, item)) return false;
    Read(item.ContainerName, item.Offset, item.Length);
    return true;
  }

  // A file that is found but cannot be read leaves the material unloaded; the model that
  // names it still loads.
  void Read(const std::string& path, uint64_t start, uint64_t length) {
    Core.Services.ShowStatus("Loading Material (" + Material.Name + ")...");
    std::string problem;
    try {
      problem = ReadMat(Material, path, start, length);
    } catch (const EZarnError& e) {
      problem = Material.Name + ": " + e.what();
    }
    if (!problem.empty()) Core.Services.AddOutput(problem);
    Core.Services.ShowStatus("");
  }

  TCore& Core;
  TMaterial& Material;
};

}  // namespace

void LoadMaterial(TCore& core, TMaterial& material) { TMaterialSearch(core, material).Run(); }

void InstallMaterialLoader(TCore& core) {
  core.Model->Materials.Loader = [&core](TMaterial& material) { LoadMaterial(core, material); };
}
