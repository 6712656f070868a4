#pragma once

#include "document/CommandResult.h"

class TCore;
class TModel;

// What the game's loader holds per mesh and per face.
constexpr int kGameMeshVertices = 512, kGameMeshTextureVertices = 768, kGameMeshFaces = 512;
constexpr int kGameFaceCorners = 24;

// Makes every mesh of every level of detail fit what the game loads. A face of more than 24
// corners becomes a fan of faces of at most 24 sharing its first corner; a face without
// corners goes. A mesh that still holds more than 512 vertices, 512 faces or 768 texture
// vertices (face corners) is cut into pieces that fit, faces close in space kept together:
// the first piece stays in the node, each other one goes to a new sibling node with the
// node's parent, type and placement, named after it with "_2", "_3", ... (and an empty mesh
// in the sets where the node's mesh needed fewer pieces). Every face keeps its corners,
// texture coordinates, material, type and modes; a vertex no face uses goes with the last
// piece. Linear in the size of the model but for a sort of each cut mesh's faces. Returns
// the number of meshes changed.
int FitGameLimits(TModel& model);

// Mesh > Fit to Game Limits; the selections of faces and vertices are cleared, as the meshes
// they lay in are rebuilt.
TCommandResult actFitGameLimits(TCore& core);
