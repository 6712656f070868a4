#include "app/QueryLayout.h"

TQueryLayout ComputeQueryLayout(int rows) {
  TQueryLayout layout;
  constexpr int rowStep = TQueryLayout::LabelHeight + TQueryLayout::EditHeight + 10;
  for (int i = 0; i < rows; ++i) {
    const int labelTop = rowStep * i + 10;
    layout.Rows.push_back({labelTop, labelTop + TQueryLayout::LabelHeight + 2});
  }
  if (!layout.Rows.empty()) {
    layout.ButtonTop = layout.Rows.back().EditTop + TQueryLayout::EditHeight + 10;
    layout.ClientHeight = layout.ButtonTop + TQueryLayout::ButtonHeight + 10;
  }
  return layout;
}
