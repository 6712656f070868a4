#pragma once
#include <string>
#include <vector>

#include "model/Vector.h"
#include "model/Vertex.h"

class TFace;
class TMaterial;
class TUserServices;
struct TCameraRec;

// Texture coordinates are in texels of each face's material, as the game reads them. These
// work out and change them for a list of faces at once, so that faces mapped together join
// up on the picture.

// Sizes of the faces' materials; a material that is not read counts as kUnreadMaterialSide
// texels square, and Report says once which ones did.
class TTexelSizes {
 public:
  double Width(const TFace& face);
  double Height(const TFace& face);
  // One output line naming every material that was not read, if any was asked for.
  void Report(TUserServices& services) const;

 private:
  bool Found(const TFace& face);
  std::vector<std::string> Missing;
};

// A view's picture plane: the world directions that run right and up on the screen.
struct TPicturePlane {
  TVector Right, Up;
};
// The three fixed cameras: 0 Top (X, Y), 1 Front (-X, Z), 2 Side (Y, Z).
TPicturePlane FixedViewPlane(int kind);
// Any camera's own plane, the Free one's included.
TPicturePlane CameraPlane(const TCameraRec& camera);

// Where the mappings read the corners: World (what the views show) or, for geometry that is
// still being built, Position.
using TCornerPlace = TVector TVertex::*;

// Projects every corner onto the plane, u along Right and v down Up, so that the picture
// stands upright in that view. density > 0: texels per unit from the selection's top left;
// otherwise the selection's extent covers each face's material exactly once.
void MapPlanar(const std::vector<TFace*>& faces, const TPicturePlane& plane, double density, TTexelSizes& sizes,
               TCornerPlace place = &TVertex::World);
// The density that fits the faces' largest extent to one width of the first face's material.
double FittingDensity(const std::vector<TFace*>& faces, TTexelSizes& sizes, TCornerPlace place = &TVertex::World);
// Each face projected onto the fixed view plane its normal points along most, at one density
// from the faces' common corner; faces turned away from that view are mirrored so that they
// read the right way round from outside.
void MapBox(const std::vector<TFace*>& faces, double density, TCornerPlace place = &TVertex::World);
// Around the faces' vertical axis (Z through the middle of their box): u once round the
// material's width, v down the axis over its height. Faces that look along the axis more
// than across it (caps) are mapped flat from above, fitted to the box.
void MapCylinder(const std::vector<TFace*>& faces, TTexelSizes& sizes, TCornerPlace place = &TVertex::World);
// Scales and moves the coordinates so that together they cover their materials exactly once.
void FitToMaterial(const std::vector<TFace*>& faces, TTexelSizes& sizes);

// Plain changes of the coordinates, in texels; scale, rotate and flip go about the middle of
// the faces' coordinates. Rotation is counter-clockwise on the picture as it is shown, rows
// downward.
void MoveTexture(const std::vector<TFace*>& faces, double du, double dv);
void ScaleTexture(const std::vector<TFace*>& faces, double su, double sv);
void RotateTexture(const std::vector<TFace*>& faces, double degrees);
void FlipTexture(const std::vector<TFace*>& faces, bool flipU);
