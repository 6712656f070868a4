#pragma once

class TCore;
struct TQueryForm;

// File > New Material...: asks how to make the material (depth, transparent colour, error
// diffusion, mipmap levels), for a PNG picture and where to write the material; writes the
// material as zarn-cli tomat does, or shows why the picture cannot become one. Then offers to
// add the material to the model, as the materials dialog's Add to Project does.
void actFileNewMaterial(TCore& core);
extern const TQueryForm kNewMaterialQuery;
