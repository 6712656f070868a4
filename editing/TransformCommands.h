#pragma once
#include <optional>

#include "document/CommandResult.h"
#include "editing/Query.h"
#include "model/Vector.h"

class TCore;

// The dialogs of the commands below and the values read from them.
extern const TQueryForm kTranslateQuery, kMoveQuery, kRotateQuery, kScaleQuery, kInsertOffsetQuery;
// Rotate's degrees or Scale's factors about X, Y and Z, about the centre given; an axis of it
// not given is the selection's centre's.
struct TAroundAnswers {
  TVector Values;
  std::optional<double> Around[3];
};
TVector ParseOffset(const TQuery& query);  // X, Y, Z of Translate and Move
TAroundAnswers ParseAround(const TQuery& query);
// None: the model's insert offset stays.
std::optional<TVector> ParseInsertOffset(const TQuery& query);

// Typed transforms of the selected geometry (local positions) and the model's insert offset.
// A result a 3DO file cannot hold is refused and nothing moves.
TCommandResult EditTranslate(TCore& core, const TVector& offset);
TCommandResult EditMove(TCore& core, const TVector& centre);  // the selection's centre goes there
TCommandResult EditRotate(TCore& core, const TAroundAnswers& answers);
TCommandResult EditScale(TCore& core, const TAroundAnswers& answers);
TCommandResult EditInsertOffset(TCore& core, const std::optional<TVector>& offset);

// The Edit menu's entries: each asks its dialog, then runs the command above.
TCommandResult actEditTranslate(TCore& core);
TCommandResult actEditMove(TCore& core);
TCommandResult actEditRotate(TCore& core);
TCommandResult actEditScale(TCore& core);
TCommandResult actEditInsertOffset(TCore& core);
