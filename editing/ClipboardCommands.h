#pragma once

#include "document/CommandResult.h"

class TCore;

// Nodes travel through the clipboard as complete 3DO text whose first line names the program.
void CopyNodes(TCore& core);
void CutNodes(TCore& core);
// A clipboard text that does not read fails, its message shown.
TCommandResult PasteNodes(TCore& core);

TCommandResult actEditCopy(TCore& core);
TCommandResult actEditCut(TCore& core);
TCommandResult actEditPaste(TCore& core);
// Reads a chosen model file into the current model without replacing it.
TCommandResult actFileInsert(TCore& core);
