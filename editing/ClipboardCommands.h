#pragma once

class TCore;

// Nodes travel through the clipboard as complete 3DO text whose first line names the program.
void CopyNodes(TCore& core);
void CutNodes(TCore& core);
void PasteNodes(TCore& core);

void actEditCopy(TCore& core);
void actEditCut(TCore& core);
void actEditPaste(TCore& core);
// Reads a chosen model file into the current model without replacing it.
void actFileInsert(TCore& core);
