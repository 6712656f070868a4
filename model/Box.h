#pragma once
#include <algorithm>

#include "model/Vector.h"

// An axis-aligned box in world units, grown point by point; empty until the first point.
struct TBox {
  TVector Low, High;
  bool Empty = true;

  void Add(const TVector& p) {
    if (Empty) {
      Low = High = p;
      Empty = false;
      return;
    }
    Low = {std::min(Low.X, p.X), std::min(Low.Y, p.Y), std::min(Low.Z, p.Z)};
    High = {std::max(High.X, p.X), std::max(High.Y, p.Y), std::max(High.Z, p.Z)};
  }
  TVector Corner(int i) const { return {i & 1 ? High.X : Low.X, i & 2 ? High.Y : Low.Y, i & 4 ? High.Z : Low.Z}; }
};
