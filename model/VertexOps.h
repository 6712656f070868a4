#pragma once
#include <vector>

#include "model/Vertex.h"

// Operations on lists of vertices (positions unless said otherwise).
TVector VerticesCentre(const std::vector<TVertex*>& list);
void TranslateVertices(const std::vector<TVertex*>& list, const TVector& d);
void MoveVerticesTo(const std::vector<TVertex*>& list, const TVector& target);
void RotateVertices(const std::vector<TVertex*>& list, const TVector& angles, const TVector& centre);
void ScaleVertices(const std::vector<TVertex*>& list, const TVector& factors, const TVector& centre);
// Greatest distance from the centre of the positions, or of the world positions from the
// origin; each length is rounded to single precision before it is compared.
float CalcRadius(const std::vector<TVertex*>& list, bool useWorld);
float CalcRadius(const TOwnedVertices& list, bool useWorld);
void MoveVerticesTo(const TOwnedVertices& list, const TVector& target);
