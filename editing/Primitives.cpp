#include "editing/Primitives.h"

#include <cmath>
#include <numbers>
#include <string>

#include "editing/Query.h"
#include "editing/SurfaceOps.h"
#include "model/Core.h"
#include "model/VertexOps.h"

namespace {

// Larger primitives are refused: a typed count must never make the program allocate without
// bound.
constexpr long long kMaxPrimitiveVertices = 1'000'000;

TNode* NewPrimitive(TModel& model, const std::string& name) {
  TNode* node = model.AddNode();
  node->Name = name;
  node->SetMesh(std::make_unique<TMesh>(&model))->Name = name;
  return node;
}

TVertex* AddVertexAt(TMesh& mesh, double x, double y, double z) {
  TVertex* v = mesh.AddVertex();
  v->Position = {x, y, z};
  return v;
}

void CentreOnOrigin(TMesh& mesh) { MoveVerticesTo(mesh.Vertices, {0, 0, 0}); }

// The bottom ring shared by cylinder and cone: v(i) clockwise seen from +z, starting on +y,
// each put in front of the cap's corners so that the cap runs v(n-1) .. v(0).
TFace* AddRing(TMesh& mesh, int sides, float radius) {
  TFace* base = mesh.AddFace();
  for (int i = 0; i < sides; ++i) {
    const double angle = 2 * std::numbers::pi * i / sides;
    base->InsertVertex(0, AddVertexAt(mesh, radius * std::sin(angle), radius * std::cos(angle), 0));
  }
  return base;
}

bool TooBig(TCore& core, long long vertices) {
  if (vertices <= kMaxPrimitiveVertices) return false;
  core.Services.ShowError("The primitive would have " + std::to_string(vertices) + " vertices; at most " +
                          std::to_string(kMaxPrimitiveVertices) + " are allowed");
  return true;
}

void FinishPrimitive(TCore& core, TNode* node) {
  core.ToggleNode(node);
  core.Model->Update();
  core.Services.FillTree();
  core.Services.FillMaterialList();
  core.Services.Redraw(true);
}

void FinishBareNode(TCore& core) {
  core.Model->Update();
  core.Services.FillTree();
  core.Services.Redraw(true);
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
  for (const auto& side : kSides) {
    TFace* face = mesh.AddFace();
    for (int corner : side) face->AddVertex(mesh.Vertices[corner]);
  }
  return node;
}

TNode* BuildPlane(TModel& model, int subdivideX, int subdivideY, float size) {
  TNode* node = NewPrimitive(model, "Plane");
  TMesh& mesh = *node->Mesh;
  const float stepX = size / static_cast<float>(subdivideX);
  const float stepY = size / static_cast<float>(subdivideY);
  float y = size;
  for (int j = 0; j <= subdivideY; ++j) {
    float x = 0;
    for (int i = 0; i <= subdivideX; ++i) {
      AddVertexAt(mesh, x, y, 0);
      x += stepX;
    }
    y -= stepY;
  }
  for (int j = 0; j < subdivideY; ++j)
    for (int i = 0; i < subdivideX; ++i) {
      const int k = j * (subdivideX + 1) + i;
      TFace* face = mesh.AddFace();
      for (int corner : {k + 1, k, k + subdivideX + 1, k + subdivideX + 2}) face->AddVertex(mesh.Vertices[corner]);
    }
  CentreOnOrigin(mesh);
  return node;
}

TNode* BuildCylinder(TModel& model, int sides, float height, float radius) {
  TNode* node = NewPrimitive(model, "Cylinder");
  TMesh& mesh = *node->Mesh;
  TFace* bottom = AddRing(mesh, sides, radius);
  TFace* top = mesh.AddFace();
  for (const TVertex* v : bottom->Vertices) top->AddVertex(AddVertexAt(mesh, v->Position.X, v->Position.Y, height));
  for (int k = 0; k < sides; ++k) {
    const int k2 = (k + 1) % sides;
    TFace* side = mesh.AddFace();
    for (TVertex* v : {bottom->Vertices[k], bottom->Vertices[k2], top->Vertices[k2], top->Vertices[k]})
      side->AddVertex(v);
  }
  FlipSurface(*bottom);
  CentreOnOrigin(mesh);
  return node;
}

TNode* BuildCone(TModel& model, int sides, float height, float radius) {
  TNode* node = NewPrimitive(model, "Cone");
  TMesh& mesh = *node->Mesh;
  TFace* base = AddRing(mesh, sides, radius);
  TVertex* apex = AddVertexAt(mesh, 0, 0, height);
  for (int k = 0; k < sides; ++k) {
    const int k2 = (k + 1) % sides;
    TFace* side = mesh.AddFace();
    for (TVertex* v : {base->Vertices[k], base->Vertices[k2], apex}) side->AddVertex(v);
  }
  FlipSurface(*base);
  CentreOnOrigin(mesh);
  return node;
}

void actPrimCube(TCore& core) {
  TQuery query({"Size=0.02"});
  if (!query.Ask(core, "Create Cube")) return;
  const auto size = static_cast<float>(query.Float("Size"));
  FinishPrimitive(core, BuildCube(*core.Model, size));
}

void actPrimPlane(TCore& core) {
  TQuery query({"Size=0.02", "Subdivide_X=1", "Subdivide_Y=1"});
  if (!query.Ask(core, "Create Plane")) return;
  const auto size = static_cast<float>(query.Float("Size"));
  const int ny = query.Int("Subdivide_Y");
  const int nx = query.Int("Subdivide_X");
  if (nx >= 0 && ny >= 0 && TooBig(core, (nx + 1LL) * (ny + 1LL))) return;
  FinishPrimitive(core, BuildPlane(*core.Model, nx, ny, size));
}

void actPrimCylind(TCore& core) {
  TQuery query({"Size=0.2", "Radius=0.03", "Sides=8"});
  if (!query.Ask(core, "Create Cylinder")) return;
  const auto size = static_cast<float>(query.Float("Size"));
  const auto radius = static_cast<float>(query.Float("Radius"));
  const int sides = query.Int("Sides");
  if (TooBig(core, 2LL * sides)) return;
  FinishPrimitive(core, BuildCylinder(*core.Model, sides, size, radius));
}

void actPrimCone(TCore& core) {
  TQuery query({"Size=0.1", "Radius=0.03", "Sides=8"});
  if (!query.Ask(core, "Create Cone")) return;
  const auto size = static_cast<float>(query.Float("Size"));
  const auto radius = static_cast<float>(query.Float("Radius"));
  const int sides = query.Int("Sides");
  if (TooBig(core, sides + 1LL)) return;
  FinishPrimitive(core, BuildCone(*core.Model, sides, size, radius));
}

void actPrimDummy(TCore& core) {
  core.Model->AddNode()->Name = "$$dummy";
  FinishBareNode(core);
}

void actPrimEmptyMesh(TCore& core) {
  NewPrimitive(*core.Model, "Empty");
  FinishBareNode(core);
}
