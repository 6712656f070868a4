#include "editing/Primitives.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "editing/Answers.h"
#include "editing/FileRange.h"
#include "editing/SurfaceOps.h"
#include "document/Core.h"
#include "editing/TextureSpace.h"
#include "model/VertexOps.h"

namespace {

// Larger primitives are refused: a typed count must never make the program allocate without
// bound.
constexpr long long kMaxPrimitiveVertices = 1'000'000;

TNode* NewPrimitive(TModel& model, const std::string& name) {
  TNode* node = model.AddNode();
  node->Name = name;
  node->SetMesh(model.NewMesh())->Name = name;
  return node;
}

TVertex* AddVertexAt(TMesh& mesh, double x, double y, double z) {
  TVertex* v = mesh.AddVertex();
  v->Position = {x, y, z};
  return v;
}

// A face of the given corners, each list grown once.
TFace* AddFaceOf(TMesh& mesh, std::initializer_list<TVertex*> corners) {
  TFace* face = mesh.AddFace();
  face->Vertices.Reserve(corners.size());
  face->TXVertices.Reserve(corners.size());
  for (TVertex* v : corners) face->AddVertex(v);
  return face;
}

void CentreOnOrigin(TMesh& mesh) { MoveVerticesTo(mesh.Vertices.Pointers(), {0, 0, 0}); }

// A primitive comes with its texture laid on, each face fitted to its material; the node
// stands at the origin, so the local positions are where the views show them.
constexpr TCornerPlace kBuilt = &TVertex::Position;

// The bottom ring shared by cylinder and cone: v(i) clockwise seen from +z, starting on +y,
// and a cap running v(n-1) .. v(0), made by adding the ring's corners last to first.
TFace* AddRing(TMesh& mesh, int sides, float radius) {
  TFace* base = mesh.AddFace();
  const int first = mesh.Vertices.Count();
  const size_t n = static_cast<size_t>(std::max(sides, 0));
  mesh.Vertices.Reserve(2 * n + 1);  // the ring, and a second ring or an apex
  mesh.Surfaces.Reserve(n + 2);
  base->Vertices.Reserve(n);
  base->TXVertices.Reserve(n);
  for (int i = 0; i < sides; ++i) {
    const double angle = 2 * std::numbers::pi * i / sides;
    AddVertexAt(mesh, radius * std::sin(angle), radius * std::cos(angle), 0);
  }
  for (int i = sides - 1; i >= 0; --i) base->AddVertex(mesh.Vertices[first + i]);
  return base;
}

// The running coordinates of one side of a plane, in single precision as the plane is built:
// start, start + step, ... (count + 1 values).
std::vector<float> PlaneSteps(float start, float step, int count) {
  std::vector<float> values;
  if (count >= 0) values.reserve(static_cast<size_t>(count) + 1);
  float value = start;
  for (long long i = 0; i <= count; ++i) {
    values.push_back(value);
    value += step;
  }
  return values;
}

bool Finite(const std::vector<float>& values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// Why the values make no shape, empty when they make one; counts that would make too large a
// one are refused as well.
std::string NoShape(const char* name, const TTyped<int>& value, int least) {
  if (value.Value >= least) return {};
  return std::string(name) + "=" + value.Text + " makes no shape: at least " + std::to_string(least) +
         (least == 1 ? " is" : " are") + " needed";
}

std::string NoShape(const char* name, const TTyped<double>& value) {
  if (static_cast<float>(value.Value) > 0) return {};
  return std::string(name) + "=" + value.Text + " makes no shape: it must be above 0";
}

std::string TooBig(long long vertices) {
  if (vertices <= kMaxPrimitiveVertices) return {};
  return "The primitive would have " + std::to_string(vertices) + " vertices; at most " +
         std::to_string(kMaxPrimitiveVertices) + " are allowed";
}

// The first of the reasons refused; Done when there is none.
TCommandResult FirstRefusal(TCore& core, std::initializer_list<std::string> reasons) {
  for (const std::string& reason : reasons)
    if (!reason.empty()) return Refuse(core.Services, reason);
  return {};
}

void FinishPrimitive(TCore& core, TNode* node) {
  TTexelSizes sizes;  // says whether the texture was fitted to a material that is not there
  for (const TFace* face : node->Mesh->Surfaces) sizes.Width(*face);
  sizes.Report(core.Services);
  core.ToggleNode(node);
  core.Model->Update();
  core.Changed(chHierarchy);
  core.Changed(chMaterials);
  core.Changed(chGeometry);
}

void FinishBareNode(TCore& core) {
  core.Model->Update();
  core.Changed(chHierarchy);
  core.Changed(chGeometry);
}

}  // namespace

TNode* BuildCube(TModel& model, float size) {
  TNode* node = NewPrimitive(model, "Cube");
  TMesh& mesh = *node->Mesh;
  const float h = size / 2;
  static constexpr int kSigns[8][3] = {{-1, -1, -1}, {1, -1, -1}, {-1, 1, -1}, {1, 1, -1},
                                       {1, -1, 1},   {-1, -1, 1}, {1, 1, 1},   {-1, 1, 1}};
  for (const auto& s : kSigns) AddVertexAt(mesh, s[0] * h, s[1] * h, s[2] * h);
  static constexpr int kSides[6][4] = {{0, 2, 3, 1}, {4, 6, 7, 5}, {5, 7, 2, 0},
                                       {1, 3, 6, 4}, {2, 7, 6, 3}, {0, 1, 4, 5}};
  const auto corner = [&mesh](int i) { return mesh.Vertices[i]; };
  for (const auto& s : kSides) AddFaceOf(mesh, {corner(s[0]), corner(s[1]), corner(s[2]), corner(s[3])});
  TTexelSizes sizes;
  const std::vector<TFace*> faces = mesh.Surfaces.Pointers();
  MapBox(faces, FittingDensity(faces, sizes, kBuilt), kBuilt);
  return node;
}

TNode* BuildPlane(TModel& model, int subdivideX, int subdivideY, float size) {
  TNode* node = NewPrimitive(model, "Plane");
  TMesh& mesh = *node->Mesh;
  const std::vector<float> xs = PlaneSteps(0, size / static_cast<float>(subdivideX), subdivideX);
  const std::vector<float> ys = PlaneSteps(size, -(size / static_cast<float>(subdivideY)), subdivideY);
  for (float y : ys)
    for (float x : xs) AddVertexAt(mesh, x, y, 0);
  for (int j = 0; j < subdivideY; ++j)
    for (int i = 0; i < subdivideX; ++i) {
      const int k = j * (subdivideX + 1) + i;
      const auto corner = [&mesh](int c) { return mesh.Vertices[c]; };
      AddFaceOf(mesh, {corner(k + 1), corner(k), corner(k + subdivideX + 1), corner(k + subdivideX + 2)});
    }
  CentreOnOrigin(mesh);
  TTexelSizes sizes;
  MapPlanar(mesh.Surfaces.Pointers(), FixedViewPlane(0), 0, sizes, kBuilt);
  return node;
}

TNode* BuildCylinder(TModel& model, int sides, float height, float radius) {
  TNode* node = NewPrimitive(model, "Cylinder");
  TMesh& mesh = *node->Mesh;
  TFace* bottom = AddRing(mesh, sides, radius);
  TFace* top = mesh.AddFace();
  top->Vertices.Reserve(bottom->Vertices.Count());
  top->TXVertices.Reserve(bottom->Vertices.Count());
  for (const TVertex* v : bottom->Vertices) top->AddVertex(AddVertexAt(mesh, v->Position.X, v->Position.Y, height));
  for (int k = 0; k < sides; ++k) {
    const int k2 = (k + 1) % sides;
    AddFaceOf(mesh, {bottom->Vertices[k], bottom->Vertices[k2], top->Vertices[k2], top->Vertices[k]});
  }
  FlipSurface(*bottom);
  CentreOnOrigin(mesh);
  TTexelSizes sizes;
  MapCylinder(mesh.Surfaces.Pointers(), sizes, kBuilt);
  return node;
}

TNode* BuildCone(TModel& model, int sides, float height, float radius) {
  TNode* node = NewPrimitive(model, "Cone");
  TMesh& mesh = *node->Mesh;
  TFace* base = AddRing(mesh, sides, radius);
  TVertex* apex = AddVertexAt(mesh, 0, 0, height);
  for (int k = 0; k < sides; ++k) {
    const int k2 = (k + 1) % sides;
    AddFaceOf(mesh, {base->Vertices[k], base->Vertices[k2], apex});
  }
  FlipSurface(*base);
  CentreOnOrigin(mesh);
  TTexelSizes sizes;
  MapCylinder(mesh.Surfaces.Pointers(), sizes, kBuilt);
  return node;
}

TNode* BuildSphere(TModel& model, int segments, int rings, float radius) {
  TNode* node = NewPrimitive(model, "Sphere");
  TMesh& mesh = *node->Mesh;
  // Rings from the top pole down; round each ring from +y towards -x, the way the picture
  // runs left to right seen from outside (as Map Cylinder lays it).
  mesh.Vertices.Reserve(static_cast<size_t>(segments) * static_cast<size_t>(rings - 1) + 2);
  mesh.Surfaces.Reserve(static_cast<size_t>(segments) * static_cast<size_t>(rings));
  TVertex* top = AddVertexAt(mesh, 0, 0, radius);
  for (int j = 1; j < rings; ++j) {
    const double polar = std::numbers::pi * j / rings;
    for (int i = 0; i < segments; ++i) {
      const double round = 2 * std::numbers::pi * i / segments;
      AddVertexAt(mesh, -radius * std::sin(round) * std::sin(polar), radius * std::cos(round) * std::sin(polar),
                  radius * std::cos(polar));
    }
  }
  TVertex* bottom = AddVertexAt(mesh, 0, 0, -radius);
  const auto at = [&](int j, int i) { return mesh.Vertices[1 + (j - 1) * segments + i % segments]; };
  // The picture once round and once from pole to pole; a pole's corner takes the middle of its
  // face's edge, so that the picture does not twist into it.
  TTexelSizes sizes;
  const auto uv = [&](TFace* face, int k, double i, int j) {
    face->TXVertices[k] = {static_cast<float>(i / segments * sizes.Width(*face)),
                           static_cast<float>(static_cast<double>(j) / rings * sizes.Height(*face))};
  };
  for (int j = 0; j < rings; ++j)
    for (int i = 0; i < segments; ++i) {
      if (j == 0) {
        TFace* f = AddFaceOf(mesh, {top, at(1, i), at(1, i + 1)});
        uv(f, 0, i + 0.5, 0);
        uv(f, 1, i, 1);
        uv(f, 2, i + 1, 1);
      } else if (j == rings - 1) {
        TFace* f = AddFaceOf(mesh, {at(j, i), bottom, at(j, i + 1)});
        uv(f, 0, i, j);
        uv(f, 1, i + 0.5, rings);
        uv(f, 2, i + 1, j);
      } else {
        TFace* f = AddFaceOf(mesh, {at(j, i), at(j + 1, i), at(j + 1, i + 1), at(j, i + 1)});
        uv(f, 0, i, j);
        uv(f, 1, i, j + 1);
        uv(f, 2, i + 1, j + 1);
        uv(f, 3, i + 1, j);
      }
    }
  return node;
}

namespace {
constexpr TQueryField kCubeFields[] = {{"Size", "0.02"}};
constexpr TQueryField kPlaneFields[] = {{"Size", "0.02"}, {"Subdivide_X", "1"}, {"Subdivide_Y", "1"}};
constexpr TQueryField kCylinderFields[] = {{"Size", "0.2"}, {"Radius", "0.03"}, {"Sides", "8"}};
constexpr TQueryField kConeFields[] = {{"Size", "0.1"}, {"Radius", "0.03"}, {"Sides", "8"}};
constexpr TQueryField kSphereFields[] = {{"Radius", "0.03"}, {"Segments", "12"}, {"Rings", "6"}};
}  // namespace

const TQueryForm kCubeQuery = {"Create Cube", kCubeFields};
const TQueryForm kPlaneQuery = {"Create Plane", kPlaneFields};
const TQueryForm kCylinderQuery = {"Create Cylinder", kCylinderFields};
const TQueryForm kConeQuery = {"Create Cone", kConeFields};
const TQueryForm kSphereQuery = {"Create Sphere", kSphereFields};

TCubeAnswers ParseCube(const TQuery& query) { return {query.TypedFloat("Size")}; }

TPlaneAnswers ParsePlane(const TQuery& query) {
  TPlaneAnswers a;
  a.Size = query.TypedFloat("Size");
  a.SubdivideY = query.TypedInt("Subdivide_Y");
  a.SubdivideX = query.TypedInt("Subdivide_X");
  return a;
}

TRoundAnswers ParseRound(const TQuery& query) {
  TRoundAnswers a;
  a.Size = query.TypedFloat("Size");
  a.Radius = query.TypedFloat("Radius");
  a.Sides = query.TypedInt("Sides");
  return a;
}

TSphereAnswers ParseSphere(const TQuery& query) {
  TSphereAnswers a;
  a.Radius = query.TypedFloat("Radius");
  a.Segments = query.TypedInt("Segments");
  a.Rings = query.TypedInt("Rings");
  return a;
}

TCommandResult PrimCube(TCore& core, const TCubeAnswers& a) {
  if (TCommandResult refused = FirstRefusal(core, {NoShape("Size", a.Size)}); !refused.Succeeded()) return refused;
  FinishPrimitive(core, BuildCube(*core.Model, static_cast<float>(a.Size.Value)));
  return {};
}

TCommandResult PrimPlane(TCore& core, const TPlaneAnswers& a) {
  const auto size = static_cast<float>(a.Size.Value);
  const int nx = a.SubdivideX.Value, ny = a.SubdivideY.Value;
  if (TCommandResult refused =
          FirstRefusal(core, {NoShape("Size", a.Size), NoShape("Subdivide_X", a.SubdivideX, 1),
                              NoShape("Subdivide_Y", a.SubdivideY, 1), TooBig((nx + 1LL) * (ny + 1LL))});
      !refused.Succeeded())
    return refused;
  // A size at the very top of the range can carry the running sums past it.
  if (!Finite(PlaneSteps(0, size / static_cast<float>(nx), nx)))
    return RefuseBeyondFileRange(core, std::string(kPlaneQuery.Caption) + " with Size=" + a.Size.Text, "a vertex");
  FinishPrimitive(core, BuildPlane(*core.Model, nx, ny, size));
  return {};
}

TCommandResult PrimCylinder(TCore& core, const TRoundAnswers& a) {
  const int sides = a.Sides.Value;
  if (TCommandResult refused = FirstRefusal(core, {NoShape("Size", a.Size), NoShape("Radius", a.Radius),
                                                   NoShape("Sides", a.Sides, 3), TooBig(2LL * sides)});
      !refused.Succeeded())
    return refused;
  FinishPrimitive(core, BuildCylinder(*core.Model, sides, static_cast<float>(a.Size.Value),
                                      static_cast<float>(a.Radius.Value)));
  return {};
}

TCommandResult PrimCone(TCore& core, const TRoundAnswers& a) {
  const int sides = a.Sides.Value;
  if (TCommandResult refused = FirstRefusal(core, {NoShape("Size", a.Size), NoShape("Radius", a.Radius),
                                                   NoShape("Sides", a.Sides, 3), TooBig(sides + 1LL)});
      !refused.Succeeded())
    return refused;
  FinishPrimitive(core, BuildCone(*core.Model, sides, static_cast<float>(a.Size.Value),
                                  static_cast<float>(a.Radius.Value)));
  return {};
}

TCommandResult PrimSphere(TCore& core, const TSphereAnswers& a) {
  const int segments = a.Segments.Value, rings = a.Rings.Value;
  if (TCommandResult refused =
          FirstRefusal(core, {NoShape("Radius", a.Radius), NoShape("Segments", a.Segments, 3),
                              NoShape("Rings", a.Rings, 2), TooBig(static_cast<long long>(segments) * (rings - 1LL) + 2)});
      !refused.Succeeded())
    return refused;
  FinishPrimitive(core, BuildSphere(*core.Model, segments, rings, static_cast<float>(a.Radius.Value)));
  return {};
}

TCommandResult actPrimCube(TCore& core) { return AskAndRun(core, kCubeQuery, ParseCube, PrimCube); }
TCommandResult actPrimPlane(TCore& core) { return AskAndRun(core, kPlaneQuery, ParsePlane, PrimPlane); }
TCommandResult actPrimCylind(TCore& core) { return AskAndRun(core, kCylinderQuery, ParseRound, PrimCylinder); }
TCommandResult actPrimCone(TCore& core) { return AskAndRun(core, kConeQuery, ParseRound, PrimCone); }
TCommandResult actPrimSphere(TCore& core) { return AskAndRun(core, kSphereQuery, ParseSphere, PrimSphere); }

TCommandResult actPrimDummy(TCore& core) {
  core.Model->AddNode()->Name = "$$dummy";
  FinishBareNode(core);
  return {};
}

TCommandResult actPrimEmptyMesh(TCore& core) {
  NewPrimitive(*core.Model, "Empty");
  FinishBareNode(core);
  return {};
}
