#include "editing/TextureSpace.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "camera/Camera.h"
#include "model/Materials.h"
#include "model/Mesh.h"
#include "services/UserServices.h"

namespace {

struct TRange {
  double Min = std::numeric_limits<double>::infinity();
  double Max = -std::numeric_limits<double>::infinity();
  void Add(double x) {
    Min = std::min(Min, x);
    Max = std::max(Max, x);
  }
  bool Empty() const { return Min > Max; }
  double Extent() const { return Empty() ? 0 : Max - Min; }
  double Middle() const { return Empty() ? 0 : (Min + Max) / 2; }
};

double Dot(const TVector& a, const TVector& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

TVector Scaled(const TVector& v, double s) { return {v.X * s, v.Y * s, v.Z * s}; }

// A changed coordinate is a changed file: the history finds changes by the meshes' revisions.
void TouchMeshes(const std::vector<TFace*>& faces) {
  TMesh* last = nullptr;
  for (TFace* face : faces)
    if (face->Mesh && face->Mesh != last) (last = face->Mesh)->Touch();
}

// The share of an extent a value stands at, 0 where there is no extent.
double Share(double offset, double extent) { return extent > 0 ? offset / extent : 0; }

template <class F>
void ForEachCoordinate(const std::vector<TFace*>& faces, F&& change) {
  for (TFace* face : faces)
    for (int k = 0; k < face->TXVertices.Count(); ++k) change(face->TXVertices[k]);
  TouchMeshes(faces);
}

void CoordinateBox(const std::vector<TFace*>& faces, TRange& u, TRange& v) {
  for (const TFace* face : faces)
    for (const TTXVertex& t : face->TXVertices) {
      u.Add(t.U);
      v.Add(t.V);
    }
}

// The corners' spread along one direction.
TRange Spread(const std::vector<TFace*>& faces, const TVector& direction, TCornerPlace place) {
  TRange range;
  for (const TFace* face : faces)
    for (const TVertex* v : face->Vertices) range.Add(Dot(v->*place, direction));
  return range;
}

}  // namespace

bool TTexelSizes::Found(const TFace& face) {
  const TMaterial* m = face.Material;
  if (m && m->Loaded && m->Width > 0 && m->Height > 0) return true;
  const std::string name = m ? m->Name : std::string("(none)");
  if (std::find(Missing.begin(), Missing.end(), name) == Missing.end()) Missing.push_back(name);
  return false;
}

double TTexelSizes::Width(const TFace& face) { return Found(face) ? face.Material->Width : kUnreadMaterialSide; }

double TTexelSizes::Height(const TFace& face) { return Found(face) ? face.Material->Height : kUnreadMaterialSide; }

void TTexelSizes::Report(TUserServices& services) const {
  if (Missing.empty()) return;
  std::string names;
  for (const std::string& name : Missing) names += (names.empty() ? "" : ", ") + name;
  services.AddOutput("Texture mapping: " + names + (Missing.size() == 1 ? " is" : " are") +
                     " not found and counted as 64 x 64 texels");
}

TPicturePlane FixedViewPlane(int kind) {
  switch (kind) {
    case 1:
      return {{-1, 0, 0}, {0, 0, 1}};
    case 2:
      return {{0, 1, 0}, {0, 0, 1}};
    default:
      return {{1, 0, 0}, {0, 1, 0}};
  }
}

TPicturePlane CameraPlane(const TCameraRec& camera) {
  // The model-view matrix's first two rows are the screen's right and up in world terms.
  const TViewTransform view = MakeViewTransform(camera, 1, 1);
  const double* m = view.ModelView;
  return {Normalize(TVector{m[0], m[4], m[8]}), Normalize(TVector{m[1], m[5], m[9]})};
}

void MapPlanar(const std::vector<TFace*>& faces, const TPicturePlane& plane, double density, TTexelSizes& sizes,
               TCornerPlace place) {
  const TRange across = Spread(faces, plane.Right, place);
  const TRange down = Spread(faces, plane.Up, place);
  for (TFace* face : faces) {
    const double su = density > 0 ? density : Share(sizes.Width(*face), across.Extent());
    const double sv = density > 0 ? density : Share(sizes.Height(*face), down.Extent());
    for (int k = 0; k < face->Vertices.Count(); ++k) {
      const TVector& p = face->Vertices[k]->*place;
      face->TXVertices[k] = {static_cast<float>((Dot(p, plane.Right) - across.Min) * su),
                             static_cast<float>((down.Max - Dot(p, plane.Up)) * sv)};
    }
  }
  TouchMeshes(faces);
}

double FittingDensity(const std::vector<TFace*>& faces, TTexelSizes& sizes, TCornerPlace place) {
  if (faces.empty()) return 0;
  double largest = 0;
  for (int axis = 0; axis < 3; ++axis)
    largest = std::max(largest, Spread(faces, {axis == 0 ? 1.0 : 0, axis == 1 ? 1.0 : 0, axis == 2 ? 1.0 : 0}, place)
                                    .Extent());
  return Share(sizes.Width(*faces.front()), largest);
}

void MapBox(const std::vector<TFace*>& faces, double density, TCornerPlace place) {
  // Top, Front and Side, each keyed by the normal's axis that camera looks along (Z, Y, X).
  static constexpr int kViewOfAxis[3] = {2, 1, 0};
  TRange box[3];
  for (int axis = 0; axis < 3; ++axis)
    box[axis] = Spread(faces, {axis == 0 ? 1.0 : 0, axis == 1 ? 1.0 : 0, axis == 2 ? 1.0 : 0}, place);
  for (TFace* face : faces) {
    const TVector n = PolygonNormal(face->Vertices, place);
    const double c[3] = {n.X, n.Y, n.Z};
    int axis = 2;
    if (std::fabs(c[0]) > std::fabs(c[axis]) && std::fabs(c[0]) >= std::fabs(c[1])) axis = 0;
    else if (std::fabs(c[1]) > std::fabs(c[axis])) axis = 1;
    TPicturePlane plane = FixedViewPlane(kViewOfAxis[axis]);
    // Each fixed camera looks from the positive side of its axis.
    if (c[axis] < 0) plane.Right = Scaled(plane.Right, -1);
    // The common corner: where the selection's box starts on this plane's axes.
    const auto start = [&](const TVector& d) {
      double s = 0;
      const double dc[3] = {d.X, d.Y, d.Z};
      for (int a = 0; a < 3; ++a) s += dc[a] > 0 ? dc[a] * box[a].Min : dc[a] * box[a].Max;
      return s;
    };
    const double left = start(plane.Right);
    const double top = -start(Scaled(plane.Up, -1));
    for (int k = 0; k < face->Vertices.Count(); ++k) {
      const TVector& p = face->Vertices[k]->*place;
      face->TXVertices[k] = {static_cast<float>((Dot(p, plane.Right) - left) * density),
                             static_cast<float>((top - Dot(p, plane.Up)) * density)};
    }
  }
  TouchMeshes(faces);
}

void MapCylinder(const std::vector<TFace*>& faces, TTexelSizes& sizes, TCornerPlace place) {
  const TRange xs = Spread(faces, {1, 0, 0}, place);
  const TRange ys = Spread(faces, {0, 1, 0}, place);
  const TRange zs = Spread(faces, {0, 0, 1}, place);
  const double cx = xs.Middle(), cy = ys.Middle();
  constexpr double kTurn = 2 * std::numbers::pi;
  for (TFace* face : faces) {
    const double width = sizes.Width(*face), height = sizes.Height(*face);
    const int n = face->Vertices.Count();
    const TVector normal = PolygonNormal(face->Vertices, place);
    if (std::fabs(normal.Z) > std::hypot(normal.X, normal.Y)) {
      // A cap, seen from the side it faces: from above the picture runs along X, from below
      // along -X, so that it reads the right way round from outside either way.
      const bool up = normal.Z > 0;
      for (int k = 0; k < n; ++k) {
        const TVector& p = face->Vertices[k]->*place;
        const double right = up ? p.X - xs.Min : xs.Max - p.X;
        face->TXVertices[k] = {static_cast<float>(Share(right, xs.Extent()) * width),
                               static_cast<float>(Share(ys.Max - p.Y, ys.Extent()) * height)};
      }
      continue;
    }
    // Round the axis the way a viewer outside sees the picture run left to right: from +Y
    // towards -X. Corners on the axis itself have no angle; they take the face's mean.
    std::vector<double> u(static_cast<size_t>(n), -1);
    double low = kTurn, high = 0;
    for (int k = 0; k < n; ++k) {
      const TVector& p = face->Vertices[k]->*place;
      const double dx = p.X - cx, dy = p.Y - cy;
      if (std::hypot(dx, dy) <= 1e-12 * (1 + xs.Extent() + ys.Extent())) continue;
      double angle = std::atan2(-dx, dy);
      if (angle < 0) angle += kTurn;
      u[static_cast<size_t>(k)] = angle;
      low = std::min(low, angle);
      high = std::max(high, angle);
    }
    // A face across the seam would span the whole picture backwards: its low side goes round once more.
    if (high - low > kTurn / 2)
      for (double& a : u)
        if (a >= 0 && a < kTurn / 2) a += kTurn;
    double sum = 0;
    int counted = 0;
    for (double a : u)
      if (a >= 0) {
        sum += a;
        ++counted;
      }
    const double mean = counted ? sum / counted : 0;
    for (int k = 0; k < n; ++k) {
      const double a = u[static_cast<size_t>(k)] >= 0 ? u[static_cast<size_t>(k)] : mean;
      const TVector& p = face->Vertices[k]->*place;
      face->TXVertices[k] = {static_cast<float>(a / kTurn * width),
                             static_cast<float>(Share(zs.Max - p.Z, zs.Extent()) * height)};
    }
  }
  TouchMeshes(faces);
}

void FitToMaterial(const std::vector<TFace*>& faces, TTexelSizes& sizes) {
  // In shares of each face's own material, so that faces of different sizes fit together.
  TRange u, v;
  for (TFace* face : faces)
    for (const TTXVertex& t : face->TXVertices) {
      u.Add(t.U / sizes.Width(*face));
      v.Add(t.V / sizes.Height(*face));
    }
  for (TFace* face : faces) {
    const double width = sizes.Width(*face), height = sizes.Height(*face);
    for (int k = 0; k < face->TXVertices.Count(); ++k) {
      TTXVertex& t = face->TXVertices[k];
      t = {static_cast<float>(Share(t.U / width - u.Min, u.Extent()) * width),
           static_cast<float>(Share(t.V / height - v.Min, v.Extent()) * height)};
    }
  }
  TouchMeshes(faces);
}

void MoveTexture(const std::vector<TFace*>& faces, double du, double dv) {
  ForEachCoordinate(faces, [&](TTXVertex& t) { t = {static_cast<float>(t.U + du), static_cast<float>(t.V + dv)}; });
}

void ScaleTexture(const std::vector<TFace*>& faces, double su, double sv) {
  TRange u, v;
  CoordinateBox(faces, u, v);
  const double cu = u.Middle(), cv = v.Middle();
  ForEachCoordinate(faces, [&](TTXVertex& t) {
    t = {static_cast<float>(cu + (t.U - cu) * su), static_cast<float>(cv + (t.V - cv) * sv)};
  });
}

void RotateTexture(const std::vector<TFace*>& faces, double degrees) {
  TRange u, v;
  CoordinateBox(faces, u, v);
  const double cu = u.Middle(), cv = v.Middle();
  const double a = degrees * std::numbers::pi / 180;
  // Exact quarter turns, so that four of them give the coordinates back.
  double c = std::cos(a), s = std::sin(a);
  if (std::fmod(degrees, 90) == 0) {
    c = std::round(c);
    s = std::round(s);
  }
  // Rows run downward, so counter-clockwise on screen turns +u towards -v.
  ForEachCoordinate(faces, [&](TTXVertex& t) {
    const double du = t.U - cu, dv = t.V - cv;
    t = {static_cast<float>(cu + du * c + dv * s), static_cast<float>(cv - du * s + dv * c)};
  });
}

void FlipTexture(const std::vector<TFace*>& faces, bool flipU) {
  TRange u, v;
  CoordinateBox(faces, u, v);
  const double cu = u.Middle(), cv = v.Middle();
  ForEachCoordinate(faces, [&](TTXVertex& t) {
    if (flipU) t.U = static_cast<float>(2 * cu - t.U);
    else t.V = static_cast<float>(2 * cv - t.V);
  });
}
