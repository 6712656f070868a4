#pragma once

class TCore;
struct TQueryForm;

// File > New Material...: asks how to make the material (depth, transparent colour, error
// diffusion, mipmap levels), for a PNG picture and where to write the material; writes the
// material as zarn-cli tomat does, or shows why the picture cannot become one. Changes no
// model.
void actFileNewMaterial(TCore& core);
extern const TQueryForm kNewMaterialQuery;
