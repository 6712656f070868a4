#pragma once

class TCore;
class TFace;
struct TGrid;

// Compiles into the current display list: selected faces outlined, pivots of selected nodes
// in node mode, vertex points in vertex mode, then every face in the view mode's polygon
// mode. Refills the model's drawing lists and its world positions first.
void DrawModel(TCore& core, int viewMode);
// One face at its vertices' world positions, textured when its material has a texture.
void DrawFace(TFace& face);
// Grid lines on multiples of LineEvery covering the window, behind the model, for the
// three axis views (kind 0 top, 1 front, 2 side); nothing for the free view.
void DrawGrid(const TCore& core, int kind, int width, int height);
// The rubber band between two window points, on top of everything drawn after it.
void DrawSelectionRect(double x1, double y1, double x2, double y2);
