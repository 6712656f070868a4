#pragma once

class TCore;
class TMeshBuffers;
struct TGrid;

// A frame draws the geometry from the meshes' buffers, which are uploaded again only for the
// meshes that changed, then the selection over it: selecting never uploads a big model.
// Places the model's world positions in the pose shown, before the geometry is compiled.
void PrepareModel(TCore& core);
// The pivots of the selected nodes, in node mode.
void DrawNodePivots(const TCore& core);
// Every vertex as a point, the selected ones in the selection colour (vertex mode).
void DrawVertexPoints(const TCore& core);
// Every face, outlined in the wireframe view mode (0), filled otherwise (textured in the
// textured mode), from buffers synced with the model.
void DrawGeometry(const TCore& core, const TMeshBuffers& buffers, int viewMode);
// Grid lines on multiples of LineEvery covering the window, behind the model, for the
// three axis views (kind 0 top, 1 front, 2 side); nothing for the free view.
void DrawGrid(const TCore& core, int kind, int width, int height);
// The rubber band between two window points, on top of everything drawn after it.
void DrawSelectionRect(double x1, double y1, double x2, double y2);
