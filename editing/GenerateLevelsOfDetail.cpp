#include "editing/GenerateLevelsOfDetail.h"

#include <algorithm>
#include <cmath>

#include "editing/LevelsOfDetail.h"
#include "editing/Query.h"
#include "editing/ReduceMesh.h"
#include "document/Core.h"

namespace {
constexpr TQueryField kLodGenerateFields[] = {{"Set_2", "50"}, {"Set_3", "25"}, {"Set_4", "12"}};
}  // namespace

const TQueryForm kLodGenerateQuery = {"Generate Levels of Detail", kLodGenerateFields};

void actViewLodGenerate(TCore& core) {
  TQuery query(kLodGenerateQuery);
  if (!query.Ask(core)) return;
  double percent[3];
  for (int i = 0; i < 3; ++i) {
    const std::string name = "Set_" + std::to_string(i + 2);
    percent[i] = query.Float(name);
    if (!(percent[i] > 0 && percent[i] <= 100)) {
      core.Refuse(name + "=" + query.Value(name) + " is no percentage of the faces from above 0 to 100");
      return;
    }
  }
  TModel& model = *core.Model;
  ChooseLevelOfDetail(core, 0);
  model.ResizeGeosets(kGameGeosets);
  for (int set = 1; set < kGameGeosets; ++set) {
    model.CopyGeoset(set);
    for (const TNode* n : model.Nodes)
      if (TMesh* mesh = model.GeosetMesh(*n, set)) {
        const double wanted = mesh->Surfaces.Count() * percent[set - 1] / 100;
        ReduceMesh(*mesh, std::max(1, static_cast<int>(std::lround(wanted))));
      }
  }
  core.Services.ShowStatus(LevelOfDetailText(model));
  core.Changed(chProperties);
  core.Changed(chGeometry);
}
