#pragma once
#include <optional>
#include <string>

#include "document/CommandResult.h"
#include "editing/Query.h"

class TCore;
class TModel;

// "LOD 2 of 4": the shown level of detail as the user counts them, from one.
std::string LevelOfDetailText(const TModel& model);

// Shows level of detail `set` (counted from zero) in the views and hands it to the commands.
// Nodes stay selected; faces and vertices of the set that goes out of view do not. Not an
// edit: the model stays as it was. Choose announces the change; Show, for a command whose
// step announces it, does not and says whether the set changed.
void ChooseLevelOfDetail(TCore& core, int set);
bool ShowLevelOfDetail(TCore& core, int set);

// The View menu's set commands; each is one step.
TCommandResult actViewLodAdd(TCore& core);     // a new last set copying the shown one, then shown
// The shown set's meshes copied over another set, counted from one (the next one when none
// is given); actViewLodCopy asks the dialog first.
extern const TQueryForm kLodCopyQuery;
std::optional<TTyped<int>> ParseLodCopy(const TQuery& query);
TCommandResult ViewLodCopy(TCore& core, const std::optional<TTyped<int>>& copyTo);
TCommandResult actViewLodCopy(TCore& core);
TCommandResult actViewLodDelete(TCore& core);  // the shown set goes; never the last one
