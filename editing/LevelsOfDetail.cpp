#include "editing/LevelsOfDetail.h"

#include "editing/Query.h"
#include "document/Core.h"

namespace {

constexpr TQueryField kLodCopyFields[] = {
    {"Copy_To", nullptr, "the level of detail after the shown one (before it, for the last)"}};

}  // namespace

bool ShowLevelOfDetail(TCore& core, int set) {
  TModel& model = *core.Model;
  if (set == model.CurrentGeoset() || set < 0 || set >= model.GeosetCount()) return false;
  core.Surfaces.Clear();
  core.Vertices.Clear();
  model.ChooseGeoset(set);
  core.Services.ShowStatus(LevelOfDetailText(model));
  return true;
}

const TQueryForm kLodCopyQuery = {"Copy Level of Detail", kLodCopyFields};

std::string LevelOfDetailText(const TModel& model) {
  return "LOD " + std::to_string(model.CurrentGeoset() + 1) + " of " + std::to_string(model.GeosetCount());
}

void ChooseLevelOfDetail(TCore& core, int set) {
  // Everything drawn or listed from the meshes shown is redone.
  if (ShowLevelOfDetail(core, set)) core.Changed(chProperties | chGeometry);
}

void actViewLodAdd(TCore& core) {
  TModel& model = *core.Model;
  if (model.GeosetCount() >= kGameGeosets) {
    core.Refuse("The game reads at most " + std::to_string(kGameGeosets) +
                " levels of detail; this model has them all");
    return;
  }
  ShowLevelOfDetail(core, model.AddGeoset());
}

void actViewLodCopy(TCore& core) {
  TModel& model = *core.Model;
  if (model.GeosetCount() == 1) {
    core.Refuse("The model has one level of detail; add one to copy it over");
    return;
  }
  const int shown = model.CurrentGeoset() + 1;
  TQuery query(kLodCopyQuery);
  query.Set("Copy_To", std::to_string(shown == model.GeosetCount() ? shown - 1 : shown + 1));
  if (!query.Ask(core)) return;
  const int to = query.Int("Copy_To");
  if (to < 1 || to > model.GeosetCount() || to == shown) {
    core.Refuse("Copy_To=" + query.Value("Copy_To") + " names no other level of detail: 1 to " +
                std::to_string(model.GeosetCount()) + ", not " + std::to_string(shown));
    return;
  }
  model.CopyGeoset(to - 1);
  core.Services.ShowStatus("LOD " + std::to_string(to) + " is now a copy of LOD " + std::to_string(shown));
}

void actViewLodDelete(TCore& core) {
  TModel& model = *core.Model;
  if (model.GeosetCount() == 1) {
    core.Refuse("The last level of detail cannot be deleted");
    return;
  }
  model.DeleteGeoset(model.CurrentGeoset());
  core.Services.ShowStatus(LevelOfDetailText(model));
}
