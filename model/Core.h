#pragma once
#include <string>
#include <vector>

#include "model/Grid.h"
#include "model/Model.h"
#include "model/Selection.h"
#include "model/UserServices.h"

enum TEditMode : unsigned char { emNode = 0, emSurface = 1, emVertex = 2 };
enum TToolMode : unsigned char { tmSelect = 0, tmMove = 1, tmRotate = 2, tmScale = 3 };
enum TCoreColor : int { ccGeometry = 0, ccVertices, ccSelection, ccGrid, ccGridZero, ccPivot, ccCount };

struct TColorRGB {
  float R = 0, G = 0, B = 0;
};

// The one editor core: the model, the selections, the modes, the locks and the colours.
// Everything reaches the user through Services.
class TCore {
 public:
  explicit TCore(TUserServices& services);
  ~TCore();
  TCore(const TCore&) = delete;
  TCore& operator=(const TCore&) = delete;

  TUserServices& Services;
  TGrid Grid;
  TModel* Model;
  TSelection<TNode> Nodes;
  TSelection<TFace> Surfaces;
  TSelection<TVertex> Vertices;
  std::vector<std::string> ResourceList;
  bool LockX = false, LockY = false, LockZ = false;
  TColorRGB Colors[ccCount];
  unsigned Color2D = 0x000000;
  unsigned Color3D = 0xDD6F00;
  TEditMode EditMode = emNode;
  TToolMode ToolMode = tmSelect;

  void ClearSelection();
};

TColorRGB SystemColorToRGB(unsigned color);
unsigned RGBToSystemColor(const TColorRGB& color);
