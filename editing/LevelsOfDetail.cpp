#include "editing/LevelsOfDetail.h"

#include "editing/Answers.h"
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

TCommandResult actViewLodAdd(TCore& core) {
  TModel& model = *core.Model;
  if (model.GeosetCount() >= kGameGeosets)
    return Refuse(core.Services, "The game reads at most " + std::to_string(kGameGeosets) +
                                     " levels of detail; this model has them all");
  ShowLevelOfDetail(core, model.AddGeoset());
  return {};
}

namespace {

TCommandResult OneSetOnly(TCore& core) {
  return Refuse(core.Services, "The model has one level of detail; add one to copy it over");
}

// The set after the shown one, counted from one; the one before it for the last.
int NextSet(const TModel& model) {
  const int shown = model.CurrentGeoset() + 1;
  return shown == model.GeosetCount() ? shown - 1 : shown + 1;
}

TCommandResult PrepareLodCopy(TCore& core, TQuery& query) {
  if (core.Model->GeosetCount() == 1) return OneSetOnly(core);
  query.Set("Copy_To", std::to_string(NextSet(*core.Model)));
  return {};
}

}  // namespace

std::optional<TTyped<int>> ParseLodCopy(const TQuery& query) {
  if (!query.Has("Copy_To")) return std::nullopt;
  return query.TypedInt("Copy_To");
}

TCommandResult ViewLodCopy(TCore& core, const std::optional<TTyped<int>>& copyTo) {
  TModel& model = *core.Model;
  if (model.GeosetCount() == 1) return OneSetOnly(core);
  const int shown = model.CurrentGeoset() + 1;
  const TTyped<int> typed = copyTo.value_or(TTyped<int>{NextSet(model), std::to_string(NextSet(model))});
  const int to = typed.Value;
  if (to < 1 || to > model.GeosetCount() || to == shown)
    return Refuse(core.Services, "Copy_To=" + typed.Text + " names no other level of detail: 1 to " +
                                     std::to_string(model.GeosetCount()) + ", not " + std::to_string(shown));
  model.CopyGeoset(to - 1);
  core.Services.ShowStatus("LOD " + std::to_string(to) + " is now a copy of LOD " + std::to_string(shown));
  return {};
}

TCommandResult actViewLodCopy(TCore& core) {
  return AskAndRun(core, kLodCopyQuery, ParseLodCopy, ViewLodCopy, PrepareLodCopy);
}

TCommandResult actViewLodDelete(TCore& core) {
  TModel& model = *core.Model;
  if (model.GeosetCount() == 1) return Refuse(core.Services, "The last level of detail cannot be deleted");
  model.DeleteGeoset(model.CurrentGeoset());
  core.Services.ShowStatus(LevelOfDetailText(model));
  return {};
}
