#pragma once

class TCore;

// The Edit menu's geometry commands: each checks the edit mode and selection, changes the
// model and asks the windows to catch up.
void actEditExtrudeFace(TCore& core);
void actEditSplitFace(TCore& core);
void actEditInsertVx(TCore& core);
void actEditFlipFace(TCore& core);
void actEditMakeSurface(TCore& core);
void actEditMerge(TCore& core);
void actEditDelete(TCore& core);
