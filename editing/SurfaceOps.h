#pragma once
#include <vector>

class TFace;
class TMesh;
class TModel;
class TVertex;

// Topology changes of one mesh. None of them touches the editor's selections; the commands
// that call them do.

// Adds a cap on the surface's corners and one side per edge, then frees the surface. Cap and
// sides take the surface's material, look and texture coordinates.
TFace* ExtrudeSurface(TFace& surface);
// As above, but leaves the surface in its mesh for the caller to remove with others at once.
TFace* ExtrudeSurfaceKeep(TFace& surface);
// Cuts the surface from corner A to corner B into two; when A and B are neighbours (or the
// same vertex) nothing changes. Returns whether the surface was split (and freed); the parts
// keep the surface's material, look and every corner's texture coordinate.
bool SplitSurface(TFace& surface, TVertex& a, TVertex& b);
// A new vertex at the midpoint of A and B, put between them on every surface where they are
// neighbours, with the texture coordinate halfway between theirs on each.
TVertex* InsertEdgeVertex(TMesh& mesh, TVertex& a, TVertex& b);
// Reverses the corner order; each corner keeps its texture coordinate.
void FlipSurface(TFace& surface);
// A new root node "Surface" holding one surface through copies of the vertices, placed at
// their world positions, its texture fitted to its material from the side it faces.
TFace* MakeSurface(TModel& model, const std::vector<TVertex*>& list);
