// The views' wheel zoom, Frame Selection and click picking, worked out from the cameras'
// matrices without a GL context.

#include <cmath>
#include <numbers>

#include "camera/CameraMoves.h"
#include "tests/core/TestCore.h"

namespace {

// The cameras a user meets: the three axis views, the free one turned, panned and zoomed.
std::vector<TCameraRec> Cameras() {
  std::vector<TCameraRec> cameras(std::begin(DefaultCameras()), std::end(DefaultCameras()));
  TCameraRec turned = ResetCamera(3, 2);
  turned.RotX = -55;
  turned.RotZ = 148;
  turned.X = 0.3;
  turned.Y = -0.45;
  cameras.push_back(turned);
  cameras[1].X = -0.02;
  cameras[2].Z = -3;
  return cameras;
}

const int Windows[][2] = {{400, 300}, {300, 400}, {640, 1}, {1, 1}};

TEST(WheelZoom, ThePointUnderThePointerStaysUnderIt) {
  for (const TCameraRec& camera : Cameras())
    for (const auto& size : Windows)
      for (int px : {0, size[0] / 3, size[0] - 1})
        for (int py : {0, size[1] / 2, size[1] - 1})
          for (int notches : {1, -1, 3, -5}) {
            SCOPED_TRACE(camera.Name + " " + std::to_string(size[0]) + "x" + std::to_string(size[1]) + " at " +
                         std::to_string(px) + "," + std::to_string(py) + " by " + std::to_string(notches));
            const double factor = WheelZoomFactor(120 * notches);
            const TViewTransform view = MakeViewTransform(camera, size[0], size[1]);
            const TVector under = ScreenToWorld(view, px + 0.5, py + 0.5);
            // At window depth 0.5, which is eye depth 0, halfway through the -100..100 volume.
            const double* m = view.ModelView;
            EXPECT_NEAR(m[2] * under.X + m[6] * under.Y + m[10] * under.Z + m[14], 0, 1e-9);
            const TCameraRec zoomed = ZoomAtPoint(camera, size[0], size[1], px + 0.5, py + 0.5, factor);
            EXPECT_DOUBLE_EQ(zoomed.Z, camera.Z * std::pow(1.25, -notches));
            int sx = -1, sy = -1;
            ASSERT_TRUE(WorldToScreen(MakeViewTransform(zoomed, size[0], size[1]), under, sx, sy));
            EXPECT_EQ(sx, px);
            EXPECT_EQ(sy, py);
          }
  // The wheel goes no nearer than the zoom drag's reset depth, and comes back from beyond the camera.
  TCameraRec near = DefaultCameras()[0];
  for (const auto& [z, zoomedZ] :
       {std::pair{-0.000004, -0.000004}, {-0.000006, -0.000005}, {0.0, -0.000005}, {2.0, -0.000005}}) {
    near.Z = z;
    EXPECT_EQ(ZoomAtPoint(near, 400, 300, 10, 10, 0.5).Z, zoomedZ) << z;
  }
}

TEST(FrameSelection, EveryCornerOfTheBoxFitsTheViewSnugly) {
  TBox boxes[4];
  for (const TVector& p : {TVector{-0.3, 0.1, 0.2}, {0.5, 0.4, 0.25}}) boxes[0].Add(p);  // flat, off centre
  for (const TVector& p : {TVector{10, 20, -5}, {12, 21, 30}}) boxes[1].Add(p);          // tall, far away
  for (const TVector& p : {TVector{-1e-4, -1e-4, -1e-4}, {1e-4, 1e-4, 1e-4}}) boxes[2].Add(p);  // tiny cube
  boxes[3].Add({1, 2, 3});  // a single point: only panned to the middle
  for (const TCameraRec& camera : Cameras())
    for (const auto& size : Windows)
      for (const TBox& box : boxes) {
        SCOPED_TRACE(camera.Name + " " + std::to_string(size[0]) + "x" + std::to_string(size[1]) + " box " +
                     std::to_string(&box - boxes));
        const TCameraRec fitted = FitCameraToBox(camera, size[0], size[1], box);
        EXPECT_EQ(fitted.RotX, camera.RotX);
        EXPECT_EQ(fitted.RotZ, camera.RotZ);
        const TViewTransform view = MakeViewTransform(fitted, size[0], size[1]);
        int low[2] = {size[0], size[1]}, high[2] = {-1, -1};
        for (int i = 0; i < 8; ++i) {
          int s[2];
          ASSERT_TRUE(WorldToScreen(view, box.Corner(i), s[0], s[1]));
          for (int a = 0; a < 2; ++a) {
            EXPECT_GE(s[a], 0) << "corner " << i;
            EXPECT_LT(s[a], size[a]) << "corner " << i;
            low[a] = std::min(low[a], s[a]);
            high[a] = std::max(high[a], s[a]);
          }
        }
        // Snug: across one of the window's sides the box takes most of the room.
        if (box.Low == box.High) {
          EXPECT_EQ(fitted.Z, camera.Z);
        } else if (size[0] > 1 && size[1] > 1) {
          EXPECT_GT(std::max((high[0] - low[0]) / double(size[0]), (high[1] - low[1]) / double(size[1])), 0.8);
        }
      }
  EXPECT_EQ(FitCameraToBox(Cameras()[3], 400, 300, TBox{}).X, Cameras()[3].X) << "nothing to frame";
}

// Three nodes seen by a Top camera 50 pixels to the unit: a unit quad `low` at height 0, a
// triangle `high` above its upper right quarter at height 0.5, a hexagon `hex` beside them;
// and a node without geometry.
class TPicking : public ::testing::Test {
 protected:
  void SetUp() override {
    TModel& model = Test.Model();
    AddFace(*AddMeshNode(model, "low", {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}})->Mesh, {0, 1, 2, 3});
    AddFace(*AddMeshNode(model, "high", {{0, 0, 0.5}, {1, 0, 0.5}, {0, 1, 0.5}})->Mesh, {0, 1, 2});
    TNode* hex = AddMeshNode(model, "hex");
    for (int i = 0; i < 6; ++i) {
      const double a = i * std::numbers::pi / 3;
      hex->Mesh->AddVertex()->Position = {3 + 0.8 * std::cos(a), 0.8 * std::sin(a), 0};
    }
    AddFace(*hex->Mesh, {0, 1, 2, 3, 4, 5});
    model.AddNode()->Name = "dummy";
    model.Update();
  }
  // The selection of the current mode as "node" or "node:index" names.
  std::vector<std::string> Selected() {
    std::vector<std::string> names;
    const TCore& core = Test.Core;
    const auto name = [](const TMesh* mesh, int index) { return mesh->Node->Name + ":" + std::to_string(index); };
    if (core.EditMode == emNode)
      for (const TNode* n : core.Nodes) names.push_back(n->Name);
    if (core.EditMode == emSurface)
      for (const TFace* f : core.Surfaces) names.push_back(name(f->Mesh, f->Mesh->Surfaces.IndexOf(f)));
    if (core.EditMode == emVertex)
      for (const TVertex* v : core.Vertices) names.push_back(name(v->Mesh, v->Mesh->Vertices.IndexOf(v)));
    return names;
  }
  TTestCore Test;
};

TEST_F(TPicking, ClicksPickTheFrontMostFaceAndFramingTakesWhatIsSelected) {
  TCameraRec top = ResetCamera(0, 4), below = ResetCamera(3, 4);
  below.RotX = 180;  // from underneath the quad is in front of the triangle
  const struct {
    const TCameraRec& Camera;
    TEditMode Mode;
    TVector At;
    bool Toggle, Hit;
    std::vector<std::string> Selection;
  } steps[] = {
      {top, emSurface, {0.2, 0.2, 0}, false, true, {"high:0"}},
      {top, emSurface, {-0.5, -0.5, 0}, true, true, {"high:0", "low:0"}},
      {top, emSurface, {2.35, -0.05, 0}, true, true, {"high:0", "low:0", "hex:0"}},  // a far triangle of the fan
      {top, emSurface, {0.2, 0.2, 0}, true, true, {"low:0", "hex:0"}},
      {below, emSurface, {0.2, 0.2, 0}, false, true, {"low:0"}},
      {top, emSurface, {2, 2, 0}, false, false, {"low:0"}},  // nothing there: nothing changes
      {top, emNode, {0.2, 0.2, 0}, false, true, {"high"}},
      {top, emNode, {-0.5, 0.5, 0}, true, true, {"high", "low"}},
      {top, emNode, {3, 0.6, 0}, false, true, {"hex"}},
      {top, emVertex, {1.02, 0.97, 0}, false, true, {"low:2"}},  // about 2 pixels off the corner
      {top, emVertex, {3.82, 0.04, 0}, true, true, {"low:2", "hex:0"}},
      {top, emVertex, {1.2, 1, 0}, false, false, {"low:2", "hex:0"}},  // 10 pixels: too far
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(&step - steps);
    Test.Core.EditMode = step.Mode;
    const TViewTransform view = MakeViewTransform(step.Camera, 400, 400);
    int sx = 0, sy = 0;
    ASSERT_TRUE(WorldToScreen(view, step.At, sx, sy));
    const int updates = Test.Changes.PropertyUpdates;
    EXPECT_EQ(Test.Core.SelectAt(sx, sy, step.Toggle, view), step.Hit);
    EXPECT_EQ(Selected(), step.Selection);
    EXPECT_EQ(Test.Changes.PropertyUpdates, updates + step.Hit);
  }
  // Frame Selection fits what the mode selects, or the whole model when that is no vertex.
  TCore& core = Test.Core;
  EXPECT_EQ(core.SelectionBox().Low, (TVector{1, 0, 0}));
  EXPECT_EQ(core.SelectionBox().High.X, Test.Model().Nodes[2]->Mesh->Vertices[0]->World.X);
  for (TEditMode mode : {emVertex, emNode}) {
    core.EditMode = mode;
    core.Vertices.Clear();
    core.Nodes.Clear();
    core.Nodes.Add(Test.Model().Nodes[3]);  // a node without geometry
    EXPECT_EQ(core.SelectionBox().Low, (TVector{-1, -1, 0})) << mode;
    EXPECT_EQ(core.SelectionBox().High.Z, 0.5) << mode;
  }
}

}  // namespace
