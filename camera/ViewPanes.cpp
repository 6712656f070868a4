#include "camera/ViewPanes.h"

#include <algorithm>

namespace {
// The first half of a span gives the gutter away, so both halves stay as alike as they can.
int FirstHalf(int size) { return std::max(1, (size - PaneGutter) / 2); }
}  // namespace

TViewPane FourViewPane(int index, int width, int height) {
  const int left = FirstHalf(width), top = FirstHalf(height);
  const bool right = index % 2 == 1, below = index >= 2;
  TViewPane pane;
  pane.Left = right ? left + PaneGutter : 0;
  pane.Top = below ? top + PaneGutter : 0;
  pane.Width = right ? std::max(1, width - pane.Left) : left;
  pane.Height = below ? std::max(1, height - pane.Top) : top;
  return pane;
}

int FourViewPaneAt(int x, int y, int width, int height) {
  const bool right = x >= FirstHalf(width) + PaneGutter, below = y >= FirstHalf(height) + PaneGutter;
  return (below ? 2 : 0) + (right ? 1 : 0);
}
