#pragma once
#include <functional>
#include <vector>

#include "model/Radius.h"
#include "model/Vertex.h"

// Operations on lists of vertices (positions unless said otherwise).
TVector VerticesCentre(const std::vector<TVertex*>& list);

// What one of the operations below does to a single position, so that a command can look at
// every result before it moves any vertex.
using TPositionMap = std::function<TVector(const TVector&)>;
TPositionMap TranslationMap(const TVector& d);
TPositionMap MoveToMap(const std::vector<TVertex*>& list, const TVector& target);
TPositionMap RotationMap(const TVector& angles, const TVector& centre);
TPositionMap ScaleMap(const TVector& factors, const TVector& centre);
void MapVertices(const std::vector<TVertex*>& list, const TPositionMap& map);

void TranslateVertices(const std::vector<TVertex*>& list, const TVector& d);
void MoveVerticesTo(const std::vector<TVertex*>& list, const TVector& target);
void RotateVertices(const std::vector<TVertex*>& list, const TVector& angles, const TVector& centre);
void ScaleVertices(const std::vector<TVertex*>& list, const TVector& factors, const TVector& centre);
