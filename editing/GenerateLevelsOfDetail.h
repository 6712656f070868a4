#pragma once

#include "document/CommandResult.h"
#include "editing/Query.h"
#include "model/Model.h"

class TCore;

// View > Level of Detail > Generate...: levels of detail 2 to 4 become reduced copies of the
// first (see ReduceMesh), each made from the one before with every mesh lowered to the
// percentage of its faces in the first asked for, 50, 25 and 12 by default, and by at least
// one face where it can be; the first set is then shown. Every set is smaller than the one
// before and meets the game's limits the first meets: a set that could not be made smaller
// is left out with the ones after it, and said so, as is each mesh that stays above its
// share; when not even the second can be made the command is refused. Sets beyond the fourth
// go.
// actViewLodGenerate asks the percentages first.
extern const TQueryForm kLodGenerateQuery;
struct TLodGenerateAnswers {
  TTyped<double> Percent[kGameGeosets - 1];  // of sets 2, 3 and 4
};
TLodGenerateAnswers ParseLodGenerate(const TQuery& query);
TCommandResult ViewLodGenerate(TCore& core, const TLodGenerateAnswers& answers);
TCommandResult actViewLodGenerate(TCore& core);
