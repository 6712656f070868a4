#include "editing/TransformCommands.h"

#include "editing/Answers.h"
#include "editing/FileRange.h"
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
TCommandResult MapWithinRange(TCore& core, const char* caption, const std::vector<TVertex*>& list,
                              const TPositionMap& map) {
  TProgress progress(&core.Services, caption, 2 * list.size(), 2 * kProgressObjects);
  uint64_t done = 0;
  const TPositionMap counted = [&](const TVector& p) {
    progress.Step(++done);
    return map(p);
  };
  TCommandResult fits = ResultsFit(core, caption, list, [&counted](const TVertex& v) { return counted(v.Position); });
  if (fits.Succeeded()) MapVertices(list, counted);
  return fits;
}

// Rotate and scale: the three values about the centre given, or the selection's centre.
TCommandResult TransformAround(TCore& core, const TQueryForm& form, const TAroundAnswers& a,
                               TPositionMap (*makeMap)(const TVector&, const TVector&)) {
  const std::vector<TVertex*> list = Affected(core);
  const TVector c = VerticesCentre(list);
  const TVector centre = {a.Around[0].value_or(c.X), a.Around[1].value_or(c.Y), a.Around[2].value_or(c.Z)};
  return MapWithinRange(core, form.Caption, list, makeMap(a.Values, centre));
}

// The selection's centre as the dialog's default.
TCommandResult PrepareAround(TCore& core, TQuery& query) {
  const TVector c = VerticesCentre(Affected(core));
  query.Set("Around_X", FormatG(c.X));
  query.Set("Around_Y", FormatG(c.Y));
  query.Set("Around_Z", FormatG(c.Z));
  return {};
}

// A transform's step announces what it moved; one cancelled in its dialog (the only way it
// ends unchanged) changes nothing, and the views are drawn again all the same, as they always
// were after the dialog closed.
TCommandResult RedrawnWhenCancelled(TCore& core, TCommandResult asked) {
  if (asked.Outcome == TOutcome::Unchanged) core.Changed(chGeometry);
  return asked;
}

TCommandResult PrepareInsertOffset(TCore& core, TQuery& query) {
  query.Set("Insert_Offset", VectorToText(core.Model->InsertOffset));
  return {};
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

TVector ParseOffset(const TQuery& query) { return ReadVector(query, "X", "Y", "Z"); }

TAroundAnswers ParseAround(const TQuery& query) {
  TAroundAnswers a;
  a.Values = ReadVector(query, "X", "Y", "Z");
  const char* const names[3] = {"Around_X", "Around_Y", "Around_Z"};
  for (int i = 0; i < 3; ++i)
    if (query.Has(names[i])) a.Around[i] = query.Float(names[i]);
  return a;
}

std::optional<TVector> ParseInsertOffset(const TQuery& query) {
  if (!query.Has("Insert_Offset")) return std::nullopt;
  return TextToVector(query.Value("Insert_Offset"));
}

TCommandResult EditTranslate(TCore& core, const TVector& offset) {
  return MapWithinRange(core, kTranslateQuery.Caption, Affected(core), TranslationMap(offset));
}

TCommandResult EditMove(TCore& core, const TVector& centre) {
  const std::vector<TVertex*> list = Affected(core);
  return MapWithinRange(core, kMoveQuery.Caption, list, MoveToMap(list, centre));
}

TCommandResult EditRotate(TCore& core, const TAroundAnswers& answers) {
  return TransformAround(core, kRotateQuery, answers, RotationMap);
}

TCommandResult EditScale(TCore& core, const TAroundAnswers& answers) {
  return TransformAround(core, kScaleQuery, answers, ScaleMap);
}

TCommandResult EditInsertOffset(TCore& core, const std::optional<TVector>& offset) {
  if (offset) core.Model->InsertOffset = *offset;
  return {};
}

TCommandResult actEditTranslate(TCore& core) {
  return RedrawnWhenCancelled(core, AskAndRun(core, kTranslateQuery, ParseOffset, EditTranslate));
}
TCommandResult actEditMove(TCore& core) {
  return RedrawnWhenCancelled(core, AskAndRun(core, kMoveQuery, ParseOffset, EditMove));
}
TCommandResult actEditRotate(TCore& core) {
  return RedrawnWhenCancelled(core, AskAndRun(core, kRotateQuery, ParseAround, EditRotate, PrepareAround));
}
TCommandResult actEditScale(TCore& core) {
  return RedrawnWhenCancelled(core, AskAndRun(core, kScaleQuery, ParseAround, EditScale, PrepareAround));
}
TCommandResult actEditInsertOffset(TCore& core) {
  return AskAndRun(core, kInsertOffsetQuery, ParseInsertOffset, EditInsertOffset, PrepareInsertOffset);
}
