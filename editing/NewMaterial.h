#pragma once
#include "document/CommandResult.h"
#include "editing/Query.h"

class TCore;

// File > New Material...: asks how to make the material (depth, transparent colour, error
// diffusion, mipmap levels), for a PNG picture and where to write the material; writes the
// material as zarn-cli tomat does, or shows why the picture cannot become one. Then offers to
// add the material to the model, as the materials dialog's Add to Project does.
extern const TQueryForm kNewMaterialQuery;
struct TNewMaterialAnswers {
  int Depth = 8;
  bool Transparent = false, Dither = false;
  TTyped<int> Mipmaps;
};
// A flag that is not 0 or 1 raises EConvertError as a number that is none does.
TNewMaterialAnswers ParseNewMaterial(const TQuery& query);
// From the picture asked for on.
TCommandResult NewMaterial(TCore& core, const TNewMaterialAnswers& answers);
TCommandResult actFileNewMaterial(TCore& core);
