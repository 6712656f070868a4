#pragma once
#include <string>

#include "document/CommandResult.h"
#include "formats/ObjImportOptions.h"

class TCore;
struct TGobItem;

// The file commands of the window and of zarn-cli, with the same rules for both. Opening,
// importing and reverting read into a model of their own and take its place only when the
// whole file was read: otherwise the document's model, its file name, modified mark and
// history stay exactly as they were. Asking about unsaved changes is the front end's part.

// An empty, untitled model with an empty history.
TCommandResult NewModel(TCore& core);
// An .obj file taken as an untitled model of its own, or any other file read as 3DO text,
// with an empty history.
TCommandResult OpenModel(TCore& core, const std::string& path, const TObjImportOptions& obj = {});
// A model stored in a container; its materials are looked up in that container first.
TCommandResult OpenContainerEntry(TCore& core, const TGobItem& item);
// The model's file read again.
TCommandResult RevertModel(TCore& core);
// An .obj file's mesh added to the model as one step of the history.
TCommandResult ImportMesh(TCore& core, const std::string& path, const TObjImportOptions& options);
// Runs the game-readiness check (each breach to the output; the user may save anyway),
// writes the model to `path` and marks it saved.
TCommandResult SaveModel(TCore& core, const std::string& path);
