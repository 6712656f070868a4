#include "editing/TransformCommands.h"

#include "editing/FileRange.h"
#include "editing/Query.h"
#include "model/Core.h"
#include "model/Progress.h"
#include "model/VertexOps.h"

namespace {

std::vector<TVertex*> Affected(TCore& core) {
  TVertices list;
  core.GetSelectedVertices(list);
  return std::move(list.Raw());
}

TVector ReadVector(const TQuery& query, const char* x, const char* y, const char* z) {
  const double vx = query.Float(x);
  const double vy = query.Float(y);
  return {vx, vy, query.Float(z)};
}

// Every result is looked at before any vertex moves; both passes count for the progress.
void MapWithinRange(TCore& core, const char* caption, const std::vector<TVertex*>& list, const TPositionMap& map) {
  TProgress progress(&core.Services, caption, 2 * list.size(), 2 * kProgressObjects);
  uint64_t done = 0;
  const TPositionMap counted = [&](const TVector& p) {
    progress.Step(++done);
    return map(p);
  };
  if (ResultsFit(core, caption, list, [&counted](const TVertex& v) { return counted(v.Position); }))
    MapVertices(list, counted);
}

// Rotate and scale: three values, then the centre, which defaults to the selection's centre.
void TransformAround(TCore& core, const char* caption, const char* unit,
                     TPositionMap (*makeMap)(const TVector&, const TVector&)) {
  const std::vector<TVertex*> list = Affected(core);
  const TVector c = VerticesCentre(list);
  const std::string u = unit;
  TQuery query({"X=" + u, "Y=" + u, "Z=" + u, "Around_X=" + FormatG(c.X), "Around_Y=" + FormatG(c.Y),
                "Around_Z=" + FormatG(c.Z)});
  if (query.Ask(core, caption)) {
    const TVector values = ReadVector(query, "X", "Y", "Z");
    const TVector centre = ReadVector(query, "Around_X", "Around_Y", "Around_Z");
    MapWithinRange(core, caption, list, makeMap(values, centre));
  }
  core.Services.Redraw(true);
}

}  // namespace

void actEditTranslate(TCore& core) {
  const std::vector<TVertex*> list = Affected(core);
  TQuery query({"X=0", "Y=0", "Z=0"});
  if (query.Ask(core, "Translate"))
    MapWithinRange(core, "Translate", list, TranslationMap(ReadVector(query, "X", "Y", "Z")));
  core.Services.Redraw(true);
}

void actEditMove(TCore& core) {
  const std::vector<TVertex*> list = Affected(core);
  TQuery query({"X=0", "Y=0", "Z=0"});
  if (query.Ask(core, "Move")) MapWithinRange(core, "Move", list, MoveToMap(list, ReadVector(query, "X", "Y", "Z")));
  core.Services.Redraw(true);
}

void actEditRotate(TCore& core) { TransformAround(core, "Rotate", "0", RotationMap); }

void actEditScale(TCore& core) { TransformAround(core, "Scale", "1", ScaleMap); }

void actEditInsertOffset(TCore& core) {
  TQuery query({"Insert_Offset=" + VectorToText(core.Model->InsertOffset)});
  if (!query.Ask(core, "Edit Insert Offset")) return;
  core.Model->InsertOffset = TextToVector(query.Value("Insert_Offset"));
}
