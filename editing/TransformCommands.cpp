#include "editing/TransformCommands.h"

#include "editing/FileRange.h"
#include "editing/Query.h"
#include "document/Core.h"
#include "services/Progress.h"
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

// A transform's step announces what it moved; one cancelled in its dialog changes nothing, and
// the views are drawn again all the same, as they always were after the dialog closed.
void Redraw(TCore& core) { core.Changed(chGeometry); }

// Rotate and scale: three values, then the centre, which defaults to the selection's centre.
void TransformAround(TCore& core, const TQueryForm& form, TPositionMap (*makeMap)(const TVector&, const TVector&)) {
  const std::vector<TVertex*> list = Affected(core);
  const TVector c = VerticesCentre(list);
  TQuery query(form);
  query.Set("Around_X", FormatG(c.X));
  query.Set("Around_Y", FormatG(c.Y));
  query.Set("Around_Z", FormatG(c.Z));
  if (!query.Ask(core)) return Redraw(core);
  const TVector values = ReadVector(query, "X", "Y", "Z");
  const TVector centre = ReadVector(query, "Around_X", "Around_Y", "Around_Z");
  MapWithinRange(core, form.Caption, list, makeMap(values, centre));
}

constexpr const char* kCentre = "the centre of the selection's vertices";
constexpr TQueryField kOffsetFields[] = {{"X", "0"}, {"Y", "0"}, {"Z", "0"}};
constexpr TQueryField kRotateFields[] = {{"X", "0"}, {"Y", "0"}, {"Z", "0"}, {"Around_X", nullptr, kCentre},
                                         {"Around_Y", nullptr, kCentre}, {"Around_Z", nullptr, kCentre}};
constexpr TQueryField kScaleFields[] = {{"X", "1"}, {"Y", "1"}, {"Z", "1"}, {"Around_X", nullptr, kCentre},
                                        {"Around_Y", nullptr, kCentre}, {"Around_Z", nullptr, kCentre}};
constexpr TQueryField kInsertOffsetFields[] = {{"Insert_Offset", nullptr, "the model's insert offset"}};

}  // namespace

const TQueryForm kTranslateQuery = {"Translate", kOffsetFields};
const TQueryForm kMoveQuery = {"Move", kOffsetFields};
const TQueryForm kRotateQuery = {"Rotate", kRotateFields};
const TQueryForm kScaleQuery = {"Scale", kScaleFields};
const TQueryForm kInsertOffsetQuery = {"Edit Insert Offset", kInsertOffsetFields};

void actEditTranslate(TCore& core) {
  const std::vector<TVertex*> list = Affected(core);
  TQuery query(kTranslateQuery);
  if (!query.Ask(core)) return Redraw(core);
  MapWithinRange(core, kTranslateQuery.Caption, list, TranslationMap(ReadVector(query, "X", "Y", "Z")));
}

void actEditMove(TCore& core) {
  const std::vector<TVertex*> list = Affected(core);
  TQuery query(kMoveQuery);
  if (!query.Ask(core)) return Redraw(core);
  MapWithinRange(core, kMoveQuery.Caption, list, MoveToMap(list, ReadVector(query, "X", "Y", "Z")));
}

void actEditRotate(TCore& core) { TransformAround(core, kRotateQuery, RotationMap); }

void actEditScale(TCore& core) { TransformAround(core, kScaleQuery, ScaleMap); }

void actEditInsertOffset(TCore& core) {
  TQuery query(kInsertOffsetQuery);
  query.Set("Insert_Offset", VectorToText(core.Model->InsertOffset));
  if (!query.Ask(core)) return;
  core.Model->InsertOffset = TextToVector(query.Value("Insert_Offset"));
}
