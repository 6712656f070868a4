// The Texture commands' worked numbers on a known box and cylinder.
#include "editing/Primitives.h"
#include "editing/Step.h"
#include "editing/TextureCommands.h"
#include "editing/TextureSpace.h"
#include "camera/Camera.h"
#include "tests/core/TestCore.h"

namespace {

class TextureMapping : public CoreFixture {
 protected:
  // The node selected with every corner's coordinate cleared, so that only the command
  // under test can give them the values checked.
  TMesh& Cleared(TNode* node) {
    for (TFace* f : node->Mesh->Surfaces)
      for (int k = 0; k < f->TXVertices.Count(); ++k) f->TXVertices[k] = {0, 0};
    node->Mesh->Touch();
    Model().Update();
    Core.ResetHistory();
    Core.EditMode = emNode;
    Core.ToggleNode(node);
    return *node->Mesh;
  }
  // A cube of side 2 around the origin; its material is not found, so 64 x 64 texels.
  TMesh& Box() { return Cleared(BuildCube(Model(), 2)); }
  TCommandResult Run(TCommandResult (*act)(TCore&), std::map<std::string, std::string> answers = {}) {
    Services.Answers = std::move(answers);
    return RunStep(Core, "map", [&] { return act(Core); });
  }
  static void ExpectCorners(const TFace& face, std::vector<TTXVertex> want, float tolerance = 1e-3f) {
    ASSERT_EQ(face.TXVertices.Count(), static_cast<int>(want.size()));
    for (int k = 0; k < face.TXVertices.Count(); ++k) {
      EXPECT_NEAR(face.TXVertices[k].U, want[static_cast<size_t>(k)].U, tolerance) << "corner " << k;
      EXPECT_NEAR(face.TXVertices[k].V, want[static_cast<size_t>(k)].V, tolerance) << "corner " << k;
    }
  }
};

// Cube faces: 0 bottom (0 2 3 1), 1 top (4 6 7 5), 2 at -x, 3 at +x (1 3 6 4), 4 at +y, 5 at -y.
TEST_F(TextureMapping, MapFromViewFitsTheSelectionToTheMaterialOrTakesADensityFromEveryCamera) {
  TMesh& box = Box();
  const struct { const char* View; const char* Density; std::vector<TTXVertex> Bottom, PlusX; } cases[] = {
      // Top: u along x, v down y, -1..1 onto 0..64.
      {"Top", "fit", {{0, 64}, {0, 0}, {64, 0}, {64, 64}}, {{64, 64}, {64, 0}, {64, 0}, {64, 64}}},
      {"top", "10", {{0, 20}, {0, 0}, {20, 0}, {20, 20}}, {{20, 20}, {20, 0}, {20, 0}, {20, 20}}},
      // Front: u along -x, v down z.
      {"Front", "fit", {{64, 64}, {64, 64}, {0, 64}, {0, 64}}, {{0, 64}, {0, 64}, {0, 0}, {0, 0}}},
      // Side: u along y, v down z.
      {"Side", "fit", {{0, 64}, {64, 64}, {64, 64}, {0, 64}}, {{0, 64}, {64, 64}, {64, 0}, {0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.View) + " " + c.Density);
    Run(actTexMapView, {{"View", c.View}, {"Density", c.Density}});
    ExpectCorners(*box.Surfaces[0], c.Bottom);
    ExpectCorners(*box.Surfaces[3], c.PlusX);
  }
  // The Free camera maps from its own plane, here turned to look straight down as Top does.
  TCameraRec top = DefaultCameras()[3];
  top.RotX = top.RotY = top.RotZ = 0;
  top.Kind = 3;
  Services.Answers = {{"View", "Free"}};
  RunStep(Core, "map", [&] { return MapFromView(Core, &top); });
  ExpectCorners(*box.Surfaces[0], {{0, 64}, {0, 0}, {64, 0}, {64, 64}});
  const TPicturePlane plane = CameraPlane(DefaultCameras()[0]);
  ExpectNear(plane.Right, 1, 0, 0);
  ExpectNear(plane.Up, 0, 1, 0);
  EXPECT_TRUE(Services.Errors.empty());
  // The material is not found: one line per fitted mapping says what it counted (a typed
  // density needs no material size).
  std::vector<std::string> mapping;
  for (const auto& line : Services.Output)
    if (line.rfind("Texture mapping:", 0) == 0) mapping.push_back(line);
  EXPECT_EQ(mapping, std::vector<std::string>(4, "Texture mapping: dflt.mat is not found and counted as 64 x 64 texels"));
}

TEST_F(TextureMapping, CommandsRefuseWhatTheyCannotDoAndChangeNothing) {
  TMesh& box = Box();
  box.Surfaces[0]->TXVertices[0] = {1e30f, 6};
  box.Touch();
  Core.ResetHistory();
  const struct { TCommandResult (*Act)(TCore&); std::map<std::string, std::string> Answers; const char* Error; } cases[] = {
      {actTexMapView, {{"View", "Back"}, {"Density", "fit"}}, "View=Back is not a view: Top, Front, Side or Free"},
      {actTexMapView, {{"View", "Free"}, {"Density", "fit"}}, "View=Free needs the Free camera shown"},
      {actTexMapView, {{"View", "Top"}, {"Density", "0"}}, "Density=0 maps nothing: it must be above 0"},
      {actTexMapView, {{"View", "Top"}, {"Density", "-2"}}, "Density=-2 maps nothing: it must be above 0"},
      {actTexScale, {{"SU", "1e30"}}, "Scale Texture would put texture coordinates beyond the range a 3DO file can hold"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Error);
    Services.Errors.clear();
    Run(c.Act, c.Answers);
    EXPECT_EQ(Services.Errors, std::vector<std::string>{c.Error});
  }
  // A value that is no number stops the step, which is taken back and ends failed.
  EXPECT_EQ(Run(actTexMove, {{"DU", "x"}}).Message, "'x' is not a valid floating point value");
  EXPECT_EQ(box.Surfaces[0]->TXVertices[0].U, 1e30f);
  EXPECT_FALSE(Core.History.CanUndo());
  Core.ClearSelection();
  Services.Errors.clear();
  Run(actTexMapBox);
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"Select the surfaces (or nodes) to map first"});
}

TEST_F(TextureMapping, MapBoxTakesEachFaceFromTheSideItFacesReadingFromOutside) {
  TMesh& box = Box();
  // Without an answer the density fits the largest extent, 2, to the width 64.
  Run(actTexMapBox, {{"Density", "16"}});
  EXPECT_EQ(Services.Shown, std::vector<std::vector<std::string>>{{"Density=32"}});
  const std::vector<TTXVertex> want[6] = {
      {{32, 32}, {32, 0}, {0, 0}, {0, 32}},   // bottom, seen from below: x runs left
      {{32, 32}, {32, 0}, {0, 0}, {0, 32}},   // top: x right, y up
      {{32, 0}, {0, 0}, {0, 32}, {32, 32}},   // -x: seen from -x, -y runs right
      {{0, 32}, {32, 32}, {32, 0}, {0, 0}},   // +x: y right
      {{32, 32}, {32, 0}, {0, 0}, {0, 32}},   // +y: -x right
      {{0, 32}, {32, 32}, {32, 0}, {0, 0}},   // -y: x right
  };
  for (int s = 0; s < 6; ++s) {
    SCOPED_TRACE(s);
    ExpectCorners(*box.Surfaces[s], want[s]);
  }
}

// Four sides of radius 1 from z = -1 to 1.
TEST_F(TextureMapping, MapCylinderWrapsTheSidesOnceAndMapsTheCapsFlat) {
  TMesh& cylinder = Cleared(BuildCylinder(Model(), 4, 2, 1));
  Run(actTexMapCylinder);
  // Faces: bottom cap, top cap, then the sides from -x to -y, -y to +x, +x to +y, +y to -x.
  ExpectCorners(*cylinder.Surfaces[0], {{32, 0}, {0, 32}, {32, 64}, {64, 32}});  // from below
  ExpectCorners(*cylinder.Surfaces[1], {{0, 32}, {32, 64}, {64, 32}, {32, 0}});
  // Round from +y towards -x: +y at 0 (64 across the seam), -x at 16, -y at 32, +x at 48.
  ExpectCorners(*cylinder.Surfaces[2], {{16, 64}, {32, 64}, {32, 0}, {16, 0}});
  ExpectCorners(*cylinder.Surfaces[3], {{32, 64}, {48, 64}, {48, 0}, {32, 0}});
  ExpectCorners(*cylinder.Surfaces[4], {{48, 64}, {64, 64}, {64, 0}, {48, 0}});
  ExpectCorners(*cylinder.Surfaces[5], {{0, 64}, {16, 64}, {16, 0}, {0, 0}});
  // A cone's second side runs from -y (32) to +x (48) and up to the apex, halfway between: 40.
  Core.ClearSelection();
  TMesh& cone = Cleared(BuildCone(Model(), 4, 2, 1));
  Run(actTexMapCylinder);
  ExpectCorners(*cone.Surfaces[2], {{32, 64}, {48, 64}, {40, 0}});
}

TEST_F(TextureMapping, FitMoveScaleRotateAndFlipWorkInTexels) {
  TFace* f = AddFace(*AddMeshNode("tri", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}})->Mesh, {0, 1, 2});
  Core.EditMode = emSurface;
  Core.ToggleSurface(f);
  const std::vector<TTXVertex> start = {{10, 20}, {30, 20}, {30, 60}};
  const struct {
    TCommandResult (*Act)(TCore&);
    std::map<std::string, std::string> Answers;
    std::vector<TTXVertex> Want;
  } cases[] = {
      {actTexFit, {}, {{0, 0}, {64, 0}, {64, 64}}},
      {actTexMove, {{"DU", "3"}, {"DV", "-2.5"}}, {{13, 17.5}, {33, 17.5}, {33, 57.5}}},
      {actTexScale, {{"SU", "2"}, {"SV", "0.5"}}, {{0, 30}, {40, 30}, {40, 50}}},
      // A quarter turn about (20, 40): +u goes to -v on the picture.
      {actTexRotate, {}, {{0, 50}, {0, 30}, {40, 30}}},
      {actTexRotate, {{"Degrees", "-90"}}, {{40, 30}, {40, 50}, {0, 50}}},
      {actTexFlipU, {}, {{30, 20}, {10, 20}, {10, 60}}},
      {actTexFlipV, {}, {{10, 60}, {30, 60}, {30, 20}}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    for (int k = 0; k < 3; ++k) f->TXVertices[k] = start[static_cast<size_t>(k)];
    f->Mesh->Touch();
    Core.ResetHistory();
    Run(cases[i].Act, cases[i].Answers);
    ExpectCorners(*f, cases[i].Want, 0);
    // Undo gives the very numbers back.
    Core.Undo();
    ExpectCorners(*f, start, 0);
  }
  EXPECT_TRUE(Services.Errors.empty());
}

// Each primitive comes with its material laid on once (dflt.mat is not found here: 64 x 64).
TEST_F(TextureMapping, PrimitivesComeMappedToTheirMaterial) {
  // The cube: every side from the camera it faces, each covering the whole picture.
  TMesh& cube = *BuildCube(Model(), 0.5f)->Mesh;
  ExpectCorners(*cube.Surfaces[1], {{64, 64}, {64, 0}, {0, 0}, {0, 64}});  // the top, x right and y up
  ExpectCorners(*cube.Surfaces[3], {{0, 64}, {64, 64}, {64, 0}, {0, 0}});  // +x, y right
  // The plane from above, fitted: two by one squares of a 2 x 2 plane, corners k+1, k, below.
  TMesh& plane = *BuildPlane(Model(), 2, 1, 2)->Mesh;
  ExpectCorners(*plane.Surfaces[0], {{32, 0}, {0, 0}, {0, 64}, {32, 64}});
  ExpectCorners(*plane.Surfaces[1], {{64, 0}, {32, 0}, {32, 64}, {64, 64}});
  // The cylinder and cone round their axis, as Map Cylinder lays them (worked out above).
  ExpectCorners(*BuildCylinder(Model(), 4, 2, 1)->Mesh->Surfaces[3], {{32, 64}, {48, 64}, {48, 0}, {32, 0}});
  ExpectCorners(*BuildCone(Model(), 4, 2, 1)->Mesh->Surfaces[2], {{32, 64}, {48, 64}, {40, 0}});
  // The sphere round and from pole to pole (its shape and outward faces, PrimitivesTest checks).
  TMesh& sphere = *BuildSphere(Model(), 4, 3, 1)->Mesh;
  // Row 0: triangles from the top pole; row 1: quads; row 2: triangles to the bottom pole.
  ExpectCorners(*sphere.Surfaces[0], {{8, 0}, {0, 64.0f / 3}, {16, 64.0f / 3}});
  ExpectCorners(*sphere.Surfaces[5], {{16, 64.0f / 3}, {16, 128.0f / 3}, {32, 128.0f / 3}, {32, 64.0f / 3}});
  ExpectCorners(*sphere.Surfaces[11], {{48, 128.0f / 3}, {56, 64}, {64, 128.0f / 3}});
}

}  // namespace
