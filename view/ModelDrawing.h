#pragma once

class TCore;
class TFace;
struct TGrid;

// A frame draws the selection's marks, then the geometry, which is compiled again only when
// the model changes: selecting never recompiles a big model.
// Refills the model's drawing lists and its world positions, before the geometry is compiled.
void PrepareModel(TCore& core);
// Pivots of selected nodes in node mode and outlines of the selected faces (of the selected
// nodes' faces in node mode).
void DrawSelectionMarks(TCore& core, int viewMode);
// Every vertex as a point, the selected ones in the selection colour (vertex mode).
void DrawVertexPoints(const TCore& core);
// Every face, outlined in the wireframe view mode (0), filled otherwise.
void DrawGeometry(TCore& core, int viewMode);
// One face at its vertices' world positions, textured when its material has a texture.
void DrawFace(TFace& face);
// Grid lines on multiples of LineEvery covering the window, behind the model, for the
// three axis views (kind 0 top, 1 front, 2 side); nothing for the free view.
void DrawGrid(const TCore& core, int kind, int width, int height);
// The rubber band between two window points, on top of everything drawn after it.
void DrawSelectionRect(double x1, double y1, double x2, double y2);
