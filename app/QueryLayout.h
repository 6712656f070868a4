#pragma once
#include <vector>

// Where the query dialog puts its rows and buttons, in client pixels. Kept apart from the
// widgets so that the numbers can be checked without showing anything.
struct TQueryRowPlace {
  int LabelTop;
  int EditTop;
};

struct TQueryLayout {
  static constexpr int ClientWidth = 200;
  static constexpr int Left = 10;
  static constexpr int EditWidth = 180;
  static constexpr int OKLeft = 10;
  static constexpr int CancelLeft = 115;
  static constexpr int ButtonWidth = 75;
  static constexpr int ButtonHeight = 25;
  static constexpr int LabelHeight = 13;
  static constexpr int EditHeight = 21;

  std::vector<TQueryRowPlace> Rows;
  int ButtonTop = 224;      // as designed, kept when there are no rows
  int ClientHeight = 261;
};

TQueryLayout ComputeQueryLayout(int rows);
