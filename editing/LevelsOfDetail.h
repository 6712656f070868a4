#pragma once
#include <string>

class TCore;
class TModel;
struct TQueryForm;

// "LOD 2 of 4": the shown level of detail as the user counts them, from one.
std::string LevelOfDetailText(const TModel& model);

// Shows level of detail `set` (counted from zero) in the views and hands it to the commands.
// Nodes stay selected; faces and vertices of the set that goes out of view do not. Not an
// edit: the model stays as it was. Choose announces the change; Show, for a command whose
// step announces it, does not and says whether the set changed.
void ChooseLevelOfDetail(TCore& core, int set);
bool ShowLevelOfDetail(TCore& core, int set);

// The View menu's set commands; each is one step.
void actViewLodAdd(TCore& core);     // a new last set copying the shown one, then shown
void actViewLodCopy(TCore& core);    // the shown set's meshes copied over another set
extern const TQueryForm kLodCopyQuery;
void actViewLodDelete(TCore& core);  // the shown set goes; never the last one
