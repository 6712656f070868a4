#pragma once
#include <vector>

#include "model/Vertex.h"

// Greatest distance from the centre of the positions, or of the world positions from the
// origin; each length is rounded to single precision before it is compared.
float CalcRadius(const std::vector<TVertex*>& list, bool useWorld);
float CalcRadius(const TOwnedVertices& list, bool useWorld);
