#pragma once

// Where each camera draws inside the drawing area, in top-left-origin pixels: the whole area
// for one camera, or a quarter each when the four cameras show at once (Top and Front above,
// Side and Free below, split by a gutter of PaneGutter pixels).
struct TViewPane {
  int Left = 0, Top = 0, Width = 1, Height = 1;
};

constexpr int PaneCount = 4;
constexpr int PaneGutter = 2;

// The quarter of a width × height area that camera `index` (0 to 3) draws in; never smaller
// than one pixel.
TViewPane FourViewPane(int index, int width, int height);
// The camera whose quarter holds the point; a point on a gutter belongs to the quarter left
// of or above it, and a point outside the area to the nearest quarter.
int FourViewPaneAt(int x, int y, int width, int height);
