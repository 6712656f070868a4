#pragma once

class TCore;
class TMesh;
struct TQueryForm;

// Lowers the mesh to about `faces` triangles (never more than it had) by collapsing edges
// with the least change of shape, keeping its borders and the seams where texture
// coordinates, materials or face attributes change. Faces become triangles, each keeping the
// material, type, modes and extra light of the face it came from and the texture coordinates
// of its corners; vertices no triangle keeps go. Returns the number of faces left. About
// linear in the faces (a few passes and a heap of edges).
int ReduceMesh(TMesh& mesh, int faces);

// Mesh > Reduce...: each selected node's mesh (in node mode) or every mesh of the shown level
// of detail, lowered to the face count asked for.
void actMeshReduce(TCore& core);
extern const TQueryForm kReduceQuery;
