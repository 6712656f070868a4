#pragma once
#include <optional>
#include <string>

#include "document/CommandResult.h"
#include "editing/Query.h"

class TCore;
class TMesh;

// Lowers the mesh to at most `faces` faces (1 or more) by collapsing edges with the least
// change of shape, keeping its borders and the seams where texture coordinates, materials or
// face attributes change. Faces the collapses leave alone stay as they were, polygons too;
// the faces around a collapse become triangles, each keeping the material, type, modes and
// extra light of the face it came from and the texture coordinates of its corners, and
// vertices no face keeps go. Only as much of the shape goes as the count needs. When the
// borders and seams hold it above `faces` it goes as low as they let it, and when that is no
// lower than it was the mesh is left exactly as it was. Never more faces, vertices or texture
// vertices than before, so a mesh within the game's limits stays within them. Returns the
// number of faces left. A few passes of the simplifier, each about linear in the faces.
int ReduceMesh(TMesh& mesh, int faces);

// The line that tells the user the mesh at `place` came out at `left` faces from `had`, short
// of the `wanted`.
std::string MissedReductionLine(const std::string& place, int had, int left, int wanted);

// Mesh > Reduce...: each selected node's mesh (in node mode) or every mesh of the shown level
// of detail, lowered to the face count asked for (half the faces of the largest when none is);
// each mesh that stays above it is named in the output.
std::optional<TTyped<int>> ParseReduce(const TQuery& query);
TCommandResult MeshReduce(TCore& core, const std::optional<TTyped<int>>& faces);
TCommandResult actMeshReduce(TCore& core);  // asks the dialog first
extern const TQueryForm kReduceQuery;
