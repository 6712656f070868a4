#pragma once
#include "editing/Query.h"

class TCore;

// The dialogs of the commands below.
extern const TQueryForm kTranslateQuery, kMoveQuery, kRotateQuery, kScaleQuery, kInsertOffsetQuery;

// Typed transforms of the selected geometry (local positions) and the model's insert offset.
void actEditTranslate(TCore& core);
void actEditMove(TCore& core);
void actEditRotate(TCore& core);
void actEditScale(TCore& core);
void actEditInsertOffset(TCore& core);
