#include "editing/GenerateLevelsOfDetail.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "editing/LevelsOfDetail.h"
#include "editing/Answers.h"
#include "editing/ReduceMesh.h"
#include "document/Core.h"

namespace {
constexpr TQueryField kLodGenerateFields[] = {{"Set_2", "50"}, {"Set_3", "25"}, {"Set_4", "12"}};
}  // namespace

const TQueryForm kLodGenerateQuery = {"Generate Levels of Detail", kLodGenerateFields};

TLodGenerateAnswers ParseLodGenerate(const TQuery& query) {
  TLodGenerateAnswers a;
  for (int i = 0; i < kGameGeosets - 1; ++i) a.Percent[i] = query.TypedFloat("Set_" + std::to_string(i + 2));
  return a;
}

TCommandResult ViewLodGenerate(TCore& core, const TLodGenerateAnswers& a) {
  double percent[kGameGeosets - 1];
  for (int i = 0; i < kGameGeosets - 1; ++i) {
    percent[i] = a.Percent[i].Value;
    if (!(percent[i] > 0 && percent[i] <= 100))
      return Refuse(core.Services, "Set_" + std::to_string(i + 2) + "=" + a.Percent[i].Text +
                                       " is no percentage of the faces from above 0 to 100");
  }
  TModel& model = *core.Model;
  ShowLevelOfDetail(core, 0);
  // Each set is made from the one before it: a mesh never gains faces, vertices or texture
  // vertices in a reduction, so no set is larger than the one before or breaks a limit of the
  // game the first set meets. Each mesh that can be lowered loses at least one face, so a set
  // that is no smaller than the one before is one where nothing could go, and it and the sets
  // after it are left out. The sets are made aside, so that the model stays as it was when
  // not even the second can be made.
  using TSet = std::vector<std::unique_ptr<TMesh>>;  // per node
  std::vector<TSet> made;
  std::vector<std::string> lines;
  for (int set = 1; set < kGameGeosets; ++set) {
    TSet meshes;
    std::vector<std::string> missed;
    bool smaller = false;
    for (int i = 0; i < model.Nodes.Count(); ++i) {
      TMesh* before = set == 1 ? model.Nodes[i]->Mesh.get() : made.back()[static_cast<size_t>(i)].get();
      if (!before) {
        meshes.emplace_back();
        continue;
      }
      std::unique_ptr<TMesh> mesh = before->Clone();
      const int had = mesh->Surfaces.Count();
      const double share = model.Nodes[i]->Mesh->Surfaces.Count() * percent[set - 1] / 100;
      const int wanted = std::max(1, std::min(static_cast<int>(std::lround(share)), had - 1));
      if (wanted < had) {
        const int left = ReduceMesh(*mesh, wanted);
        smaller = smaller || left < had;
        if (left > wanted)
          missed.push_back(MissedReductionLine("Mesh '" + mesh->Name + "' (node " + std::to_string(i) +
                                                   "), level of detail " + std::to_string(set + 1),
                                               had, left, wanted));
      }
      meshes.push_back(std::move(mesh));
    }
    if (!smaller) {
      if (made.empty())
        return Refuse(core.Services, "No mesh could lose a face without moving its borders or the seams between "
                                     "materials, texture coordinates or face flags, so no level of detail smaller "
                                     "than the first could be made");
      lines.push_back("Level of detail " + std::to_string(set + 1) + " could not be made smaller than level of detail " +
                      std::to_string(set) + ", so the model has " + std::to_string(set) + " levels of detail");
      break;
    }
    lines.insert(lines.end(), missed.begin(), missed.end());
    made.push_back(std::move(meshes));
  }
  model.ResizeGeosets(static_cast<int>(made.size()) + 1);
  for (size_t set = 0; set < made.size(); ++set)
    for (int i = 0; i < model.Nodes.Count(); ++i)
      model.SetGeosetMesh(*model.Nodes[i], static_cast<int>(set) + 1, std::move(made[set][static_cast<size_t>(i)]));
  for (const std::string& line : lines) core.Services.AddOutput(line);
  core.Services.ShowStatus(LevelOfDetailText(model));
  return {};
}

TCommandResult actViewLodGenerate(TCore& core) {
  return AskAndRun(core, kLodGenerateQuery, ParseLodGenerate, ViewLodGenerate);
}
