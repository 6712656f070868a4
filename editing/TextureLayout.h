#pragma once
#include <vector>

#include "model/Vertex.h"

class TFace;
class TMaterial;

// What the texture-coordinate window shows and drags, kept apart from the window so that it
// runs headless: the faces of one material laid over its picture, a zoom and pan between
// texels and window pixels, and the corners a press picks.

// Window pixels (top-left origin) against texels: pixel = Pan + texel * Zoom.
struct TTexelView {
  double Zoom = 4;  // pixels per texel
  double PanX = 8, PanY = 8;
  double U(double x) const { return (x - PanX) / Zoom; }
  double V(double y) const { return (y - PanY) / Zoom; }
  double X(double u) const { return PanX + u * Zoom; }
  double Y(double v) const { return PanY + v * Zoom; }
  // Zooms by `factor` keeping the texel under the pixel (x, y) where it is.
  void ZoomAt(double x, double y, double factor);
  // A picture of that many texels whole in the middle of a canvas of that many pixels, as
  // large as leaves `margin` pixels free on each side.
  static TTexelView Fitting(double pictureWidth, double pictureHeight, double canvasWidth, double canvasHeight,
                            double margin);
};

// One corner of a face: Face->TXVertices[Index].
struct TTexCorner {
  TFace* Face;
  int Index;
  bool operator==(const TTexCorner&) const = default;
};

struct TTextureLayout {
  // The material shown: the highlighted face's. Faces of other materials are only counted.
  TMaterial* Shown = nullptr;
  std::vector<TFace*> Faces, Others;

  // Lays out the faces: the first one's material is shown.
  static TTextureLayout Of(const std::vector<TFace*>& faces);
  // The corner nearest the pixel within `radius` pixels, and every corner of the shown faces
  // at the same vertex and coordinate, so that a seam between faces stays closed; empty when
  // none is that near.
  std::vector<TTexCorner> CornersAt(const TTexelView& view, double x, double y, double radius) const;
  // Every corner of the front-most shown face (the last drawn) under the pixel.
  std::vector<TTexCorner> FaceAt(const TTexelView& view, double x, double y) const;
  // The corners inside the pixel rectangle (corners in any order).
  std::vector<TTexCorner> CornersIn(const TTexelView& view, double x1, double y1, double x2, double y2) const;
};

// A drag of corners: each move puts them at where they started plus the whole way dragged,
// so that many small moves add no rounding.
class TCornerDrag {
 public:
  explicit TCornerDrag(std::vector<TTexCorner> corners);
  // Every corner at its start plus (du, dv) texels; their meshes hear that they changed.
  void To(double du, double dv);
  const std::vector<TTexCorner>& Corners() const { return Picked; }

 private:
  std::vector<TTexCorner> Picked;
  std::vector<TTXVertex> Start;
};
