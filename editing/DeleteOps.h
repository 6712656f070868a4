#pragma once
#include <vector>

class TCore;
class TFace;
class TNode;
class TVertex;

// Deletion that keeps the editor's selections and the model's references consistent: nothing
// selected or linked ever refers to freed geometry. Each runs in time linear in the objects
// deleted plus the meshes (or node list) they sit in.

// Children of a deleted node move up to its nearest surviving ancestor; the node's mesh goes
// with it, and that mesh's faces and vertices leave the surface and vertex selections.
void DeleteNodes(TCore& core, std::vector<TNode*> list);
// The faces leave their meshes; their vertices stay.
void DeleteSurfaces(TCore& core, std::vector<TFace*> list);
// The vertices leave their meshes together with every corner that used them.
void DeleteVertices(TCore& core, std::vector<TVertex*> list);
