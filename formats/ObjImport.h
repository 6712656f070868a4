#pragma once
#include <string>

#include "formats/ObjImportOptions.h"
#include "model/ReadResult.h"

class TModel;

// Adds one node and mesh holding a Wavefront OBJ file's vertices and faces. A failure, with
// nothing changed, when there is no file (not shown: the caller says so its own way); bad
// content ends the import, keeping what was added, and is shown through the model's user
// services. Running out of memory releases what the import added. The default options take
// the file's numbers as they stand.
TReadResult ImportObj(TModel& model, const std::string& path, const TObjImportOptions& options = {});
