#include "editing/TextureLayout.h"

#include <algorithm>
#include <cmath>

#include "model/Mesh.h"

void TTexelView::ZoomAt(double x, double y, double factor) {
  const double u = U(x), v = V(y);
  Zoom = std::clamp(Zoom * factor, 1.0 / 64, 256.0);
  PanX = x - u * Zoom;
  PanY = y - v * Zoom;
}

TTexelView TTexelView::Fitting(double pictureWidth, double pictureHeight, double canvasWidth, double canvasHeight,
                               double margin) {
  TTexelView view;
  view.Zoom = std::clamp(std::min((canvasWidth - 2 * margin) / std::max(pictureWidth, 1.0),
                                  (canvasHeight - 2 * margin) / std::max(pictureHeight, 1.0)),
                         1.0 / 64, 256.0);
  view.PanX = (canvasWidth - pictureWidth * view.Zoom) / 2;
  view.PanY = (canvasHeight - pictureHeight * view.Zoom) / 2;
  return view;
}

TTextureLayout TTextureLayout::Of(const std::vector<TFace*>& faces) {
  TTextureLayout layout;
  if (faces.empty()) return layout;
  layout.Shown = faces.front()->Material;
  for (TFace* face : faces) (face->Material == layout.Shown ? layout.Faces : layout.Others).push_back(face);
  return layout;
}

std::vector<TTexCorner> TTextureLayout::CornersAt(const TTexelView& view, double x, double y, double radius) const {
  const TTexCorner* best = nullptr;
  double bestDistance = radius;
  std::vector<TTexCorner> all;
  for (TFace* face : Faces)
    for (int k = 0; k < face->TXVertices.Count(); ++k) all.push_back({face, k});
  for (const TTexCorner& c : all) {
    const TTXVertex& t = c.Face->TXVertices[c.Index];
    const double d = std::hypot(view.X(t.U) - x, view.Y(t.V) - y);
    if (d <= bestDistance) {
      bestDistance = d;
      best = &c;
    }
  }
  if (!best) return {};
  const TVertex* vertex = best->Face->Vertices[best->Index];
  const TTXVertex at = best->Face->TXVertices[best->Index];
  std::vector<TTexCorner> picked;
  for (const TTexCorner& c : all) {
    const TTXVertex& t = c.Face->TXVertices[c.Index];
    if (c.Face->Vertices[c.Index] == vertex && t.U == at.U && t.V == at.V) picked.push_back(c);
  }
  return picked;
}

std::vector<TTexCorner> TTextureLayout::FaceAt(const TTexelView& view, double x, double y) const {
  const double u = view.U(x), v = view.V(y);
  for (auto f = Faces.rbegin(); f != Faces.rend(); ++f) {
    const TTXVertices& t = (*f)->TXVertices;
    const int n = t.Count();
    bool inside = false;
    // Crossings of a ray towards +u: odd means inside, whichever way the corners wind.
    for (int i = 0, j = n - 1; i < n; j = i++)
      if ((t[i].V > v) != (t[j].V > v) && u < t[j].U + (v - t[j].V) * (t[i].U - t[j].U) / (t[i].V - t[j].V))
        inside = !inside;
    if (!inside) continue;
    std::vector<TTexCorner> corners;
    for (int k = 0; k < n; ++k) corners.push_back({*f, k});
    return corners;
  }
  return {};
}

std::vector<TTexCorner> TTextureLayout::CornersIn(const TTexelView& view, double x1, double y1, double x2,
                                                  double y2) const {
  const double left = std::min(x1, x2), right = std::max(x1, x2);
  const double top = std::min(y1, y2), bottom = std::max(y1, y2);
  std::vector<TTexCorner> corners;
  for (TFace* face : Faces)
    for (int k = 0; k < face->TXVertices.Count(); ++k) {
      const double x = view.X(face->TXVertices[k].U), y = view.Y(face->TXVertices[k].V);
      if (x >= left && x <= right && y >= top && y <= bottom) corners.push_back({face, k});
    }
  return corners;
}

TCornerDrag::TCornerDrag(std::vector<TTexCorner> corners) : Picked(std::move(corners)) {
  for (const TTexCorner& c : Picked) Start.push_back(c.Face->TXVertices[c.Index]);
}

void TCornerDrag::To(double du, double dv) {
  for (size_t i = 0; i < Picked.size(); ++i)
    Picked[i].Face->TXVertices[Picked[i].Index] = {static_cast<float>(Start[i].U + du),
                                                   static_cast<float>(Start[i].V + dv)};
  TMesh* last = nullptr;
  for (const TTexCorner& c : Picked)
    if (c.Face->Mesh && c.Face->Mesh != last) (last = c.Face->Mesh)->Touch();
}
