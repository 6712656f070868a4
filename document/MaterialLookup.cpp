#include "document/MaterialLookup.h"

#include <memory>

#include "document/Core.h"
#include "formats/MaterialLoader.h"

std::function<bool(const std::string&)> MaterialFinder(TCore& core) {
  auto loader = std::make_shared<TMaterialLoader>(core.Services, *core.Model, core.ResourceList);
  return [loader](const std::string& name) { return loader->Found(name); };
}

void InstallMaterialLoader(TCore& core) { InstallMaterialLoader(core, *core.Model); }

void InstallMaterialLoader(TCore& core, TModel& model) {
  auto loader = std::make_shared<TMaterialLoader>(core.Services, model, core.ResourceList);
  model.Materials.Loader = [loader](TMaterial& material) { loader->Load(material); };
}
