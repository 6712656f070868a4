#pragma once

class TCore;

// Typed transforms of the selected geometry (local positions) and the model's insert offset.
void actEditTranslate(TCore& core);
void actEditMove(TCore& core);
void actEditRotate(TCore& core);
void actEditScale(TCore& core);
void actEditInsertOffset(TCore& core);
