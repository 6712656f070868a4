#pragma once

// The reference grid of the three axis views.
struct TGrid {
  double LineEvery = 0.01;  // world distance between lines; 0 or less hides the grid
  double SnapEvery = 0.01;  // kept and stored, used by no tool
};
