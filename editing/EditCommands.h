#pragma once

#include "document/CommandResult.h"

class TCore;

// The Edit menu's geometry commands: each checks the edit mode and selection, changes the
// model and asks the windows to catch up.
TCommandResult actEditExtrudeFace(TCore& core);
TCommandResult actEditSplitFace(TCore& core);
TCommandResult actEditInsertVx(TCore& core);
TCommandResult actEditFlipFace(TCore& core);
TCommandResult actEditMakeSurface(TCore& core);
TCommandResult actEditMerge(TCore& core);
TCommandResult actEditDelete(TCore& core);
