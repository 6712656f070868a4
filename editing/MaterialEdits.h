#pragma once
#include <string>

#include "document/CommandResult.h"

class TCore;
class TMaterial;

// The materials dialog's changes to the model's material list; both take effect at once.

// The model's material of that name, whatever its case; a name the list does not hold yet is
// added at its end and read. A name that would not read back from a saved file
// (CheckMaterialName) is refused with a message and gives no material.
TMaterial* AddProjectMaterial(TCore& core, const std::string& name);
// The same as a command: Done, or the refusal that was shown.
TCommandResult AddMaterialToModel(TCore& core, const std::string& name);
// Takes the material out of the list and frees it. Every face that used it takes "dflt.mat",
// which is added again at the list's end when the list no longer holds it (so deleting
// "dflt.mat" itself while faces use it leaves a fresh one). The views are rebuilt once.
void DeleteProjectMaterial(TCore& core, TMaterial* material);
