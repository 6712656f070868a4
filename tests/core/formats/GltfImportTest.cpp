// glTF scenes read as the game's models: node frames, world positions and the export's layout
// taken back; animations written as KEYs that the game's playback follows.

#include <cmath>
#include <numbers>

#include "formats/FileIO.h"
#include "formats/FileKinds.h"
#include "formats/GltfImport.h"
#include "formats/KeyReader.h"
#include "model/KeyPose.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/GltfMaker.h"
#include "tests/core/PictureFiles.h"
#include "tests/core/TestSupport.h"

using namespace gltf_test;

namespace {

TReadResult Read(TModel& model, const std::string& path) {
  return FileKind(TFileFormat::Gltf).ReadModel(model, path, {});
}

std::vector<TVector> Worlds(TModel& model, const TNodePose& pose = {}) {
  if (pose.empty())
    model.UpdateWorld();
  else
    PlacePosed(model, pose);
  std::vector<TVector> worlds;
  for (TNode* node : model.Nodes)
    if (node->Mesh)
      for (TVertex* v : node->Mesh->Vertices) worlds.push_back(v->World);
  return worlds;
}

// Node A at glTF (1, 2, 3), turned 90° about glTF's up and scaled 2; its child B one unit
// along glTF z, turned 90° about x: pitch 90, the case where yaw and roll meet.
TEST(GltfImport, NodesKeepEveryWorldPositionTurnedToZUp) {
  const fmt_test::TTempDir dir;
  TGltfMaker maker;
  const int a = maker.Node("A", {1, 2, 3}, {0, kHalf, 0, kHalf}, {2, 2, 2},
                           maker.Mesh("a", {1, 0, 0, 0, 0, -1, 0, 1, 0}, {0, 1, 2}));
  maker.Node("B", {0, 0, 1}, {kHalf, 0, 0, kHalf}, {},
             maker.Mesh("b", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}), a);
  TModel model;
  ASSERT_TRUE(Read(model, maker.Write(dir.File("scene.glb"))));
  ASSERT_EQ(model.Nodes.Count(), 2);
  ExpectNear(model.Nodes[0]->Position, 1, -3, 2);
  ExpectNear(model.Nodes[0]->Rotation, 0, 90, 0);
  ExpectNear(model.Nodes[1]->Position, 0, -2, 0);
  ExpectNear(model.Nodes[1]->Rotation, 90, 0, 0);
  ExpectNear(Worlds(model),
             {{1, -1, 2}, {-1, -3, 2}, {1, -3, 4}, {3, -3, 2}, {3, -1, 2}, {5, -3, 2}}, 1e-5);
}

// Sparse accessors: elements replaced in a base of data, and in one of zeros whose mesh
// holds its indices as unsigned ints, as files of many vertices do.
TEST(GltfImport, SparseAccessorsGiveTheirElementsInPlaceOfTheBase) {
  const fmt_test::TTempDir dir;
  TGltfMaker maker;
  const int based = maker.Mesh("based", {0, 0, 0, 1, 0, 0, 5, 5, 5}, {0, 1, 2});
  maker.Sparse(maker.Gltf.meshes[0].primitives[0].attributes["POSITION"], {2}, {0, 1, 0});
  const int zeros = maker.Mesh("zeros", {0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 2});
  const int position = maker.Gltf.meshes[1].primitives[0].attributes["POSITION"];
  maker.Gltf.accessors[static_cast<size_t>(position)].bufferView = -1;
  maker.Sparse(position, {1, 2}, {1, 0, 0, 0, 0, 1});
  maker.WideIndices(zeros, {0, 1, 2});
  maker.Node("based", {}, {}, {}, based);
  maker.Node("zeros", {}, {}, {}, zeros);
  TModel model;
  ASSERT_TRUE(Read(model, maker.Write(dir.File("sparse.glb"))));
  ExpectNear(Worlds(model), {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}, {1, 0, 0}, {0, -1, 0}}, 1e-6);
}

// The export's layout: a root turning Z-up to Y-up and, under a joint, a child carrying the
// mesh at the joint's pivot. Both are taken back rather than turned twice or kept as nodes.
TEST(GltfImport, TheExportsRootAndPivotCarriersAreTakenBack) {
  const fmt_test::TTempDir dir;
  TGltfMaker maker;
  const int root = maker.Node("ZUp", {}, {-kHalf, 0, 0, kHalf});
  const double s15 = std::sin(std::numbers::pi / 12), c15 = std::cos(std::numbers::pi / 12);
  const int torso = maker.Node("torso", {0, 0, 1}, {0, 0, s15, c15}, {}, -1, root);
  maker.Node("torso_pivot", {0.1, 0, 0}, {}, {},
             maker.Mesh("torso", {1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 1, 2}), torso);
  TModel model;
  ASSERT_TRUE(Read(model, maker.Write(dir.File("export.glb"))));
  ASSERT_EQ(model.Nodes.Count(), 1);
  const TNode& node = *model.Nodes[0];
  EXPECT_EQ(node.Name, "torso");
  EXPECT_EQ(node.Mesh->Name, "torso");
  ExpectNear(node.Position, 0, 0, 1);
  ExpectNear(node.Rotation, 0, 30, 0);
  ExpectNear(node.Pivot, 0.1, 0, 0);
  ExpectNear(Worlds(model)[0], 1.1 * std::cos(std::numbers::pi / 6), 0.55, 1, 1e-9);
}

// A leg bound to hip and knee: the triangle whose weight lies more on the hip goes to the
// hip though one corner is the knee's; the other lies wholly on the knee. Each vertex stays
// where the bind pose put it, whether the triangles are indexed or listed corner by corner.
TEST(GltfImport, SkinsAreCutIntoTheMeshesOfTheirJoints) {
  const fmt_test::TTempDir dir;
  for (const bool indexed : {true, false}) {
    SCOPED_TRACE(indexed);
    TGltfMaker maker;
    const int hip = maker.Node("hip");
    const int knee = maker.Node("knee", {0, 1, 0}, {}, {}, -1, hip);
    const int leg = maker.Node("leg");
    if (indexed)
      maker.Skin(leg, {hip, knee}, {{0, 0, 0}, {0, 1, 0}}, {0, 0, 0, 1, 0, 0, 0, 2, 0, 1, 2, 0, 0, 3, 0},
                 {0, 1, 2, 2, 3, 4}, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0},
                 {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0.6, 0.4, 0, 0, 1, 0, 0, 0});
    else
      maker.Skin(leg, {hip, knee}, {{0, 0, 0}, {0, 1, 0}},
                 {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 2, 0, 1, 2, 0, 0, 3, 0}, {},
                 {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0},
                 {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0.6, 0.4, 0, 0, 1, 0, 0, 0});
    const std::string path = maker.Write(dir.File("leg.glb"));
    TModel model;
    ASSERT_TRUE(Read(model, path));
    ASSERT_EQ(model.Nodes.Count(), 3);
    EXPECT_EQ((std::tuple{model.Nodes[0]->Mesh->Surfaces.Count(),
                          model.Nodes[1]->Mesh->Surfaces.Count(), !model.Nodes[2]->Mesh}),
              (std::tuple{1, 1, true}));
    ExpectNear(Worlds(model), {{0, 0, 0}, {1, 0, 0}, {0, 0, 2}, {0, 0, 2}, {1, 0, 2}, {0, 0, 3}},
               1e-6);
    EXPECT_NE(RunCli({"info", path}).Out.find("1 skinned triangles spanned joints"),
              std::string::npos);
  }
}

// An arm of an 8 x 8 picture, its faces two-sided and translucent, its texels the
// coordinates times 8; its material is made beside the model before the model is checked,
// and kept on a second convert.
// The arm turning from yaw 170 to -170 the short way (LINEAR) and stepping up (STEP); a second,
// unnamed animation sliding it 2 units along a CUBICSPLINE whose every tangent differs (only
// the first key's out-tangent and the last's in-tangent count). Every corner of the KEY's
// playback lies within 1e-3 of the glTF's pose at every frame, and each KEY fits the model.
TEST(GltfImport, ConvertWritesKeysThatFollowTheAnimationsAtEveryFrame) {
  const fmt_test::TTempDir dir;
  TGltfMaker maker;
  WriteRgbaPng(dir.File("skin.png"), MakePicture(8, 8, [](int x, int) {
                 return std::array<uint8_t, 4>{uint8_t(x * 30), 0, 0, 255};
               }));
  const int skin = maker.Material("skin", ReadWholeFile(dir.File("skin.png")), true, true);
  const int arm = maker.Node(
      "arm", {}, {}, {},
      maker.Mesh("arm", {1, 0, 0, 0, 0, -1, 0, 0, 0}, {0, 1, 2}, skin, {1, 0.5, 0, 0, 0.25, 1}));
  auto yaw = [](double degrees) {
    const double h = degrees * std::numbers::pi / 360;
    return std::vector<double>{0, std::sin(h), 0, std::cos(h)};
  };
  std::vector<double> turn = yaw(170);
  for (double v : yaw(-170)) turn.push_back(v);
  maker.Channel(0, "wave left", arm, "rotation", {0, 1}, turn);
  maker.Channel(0, "wave left", arm, "translation", {0, 0.5}, {0, 0, 0, 0, 1, 0}, "STEP");
  maker.Channel(1, "", arm, "translation", {0, 2},
                {5, 0, 0, 0, 0, 0, 1, 0, 0, 4, 0, 0, 2, 0, 0, 7, 0, 0}, "CUBICSPLINE");
  const std::string out = dir.File("arm.3do");
  const TCliRun run = RunCli({"convert", maker.Write(dir.File("arm.glb")), out});
  ASSERT_EQ(run.Status, 0) << run.Out;
  EXPECT_EQ(run.Out.find("not found"), std::string::npos) << run.Out;  // made before the check
  EXPECT_EQ(ReadWholeFile(dir.File("skin.mat")).substr(0, 4), "MAT ");
  const TCliRun again = RunCli({"convert", dir.File("arm.glb"), out});
  EXPECT_NE(again.Out.find("skin.mat exists and was left as it was"), std::string::npos)
      << again.Out;
  TModel model;
  ASSERT_TRUE(Load3DOFile(model, out));
  const TFace& face = *model.Nodes[0]->Mesh->Surfaces[0];
  EXPECT_EQ((std::tuple{face.Material->Name, face.FaceType & 3, face.TXVertices[0].U,
                        face.TXVertices[0].V, face.TXVertices[2].V}),
            (std::tuple{"skin.mat", 3, 8.0f, 4.0f, 8.0f}));
  const struct {
    const char* File;
    int Frames;
    std::function<std::vector<TVector>(double)> Corners;  // at a frame, from the closed form
  } rows[] = {
      {"wave_left.key", 15,
       [](double f) {
         const double y = (170 + 20 * f / 15) * std::numbers::pi / 180, z = f / 15 >= 0.5 ? 1 : 0;
         return std::vector<TVector>{
             {std::cos(y), std::sin(y), z}, {-std::sin(y), std::cos(y), z}, {0, 0, z}};
       }},
      {"arm.key", 30,
       [](double f) {
         // Hermite over 2 seconds from 0 (out-tangent 1) to 2 (in-tangent 4).
         const double u = f / 30, x = 2 * u * (3 * u * u - 3 * u + 1);
         return std::vector<TVector>{{1 + x, 0, 0}, {x, 1, 0}, {x, 0, 0}};
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.File);
    const std::string path = dir.File(row.File);
    const TKeyAnimation key = ReadKeyFile(path);
    EXPECT_EQ((std::tuple{key.Frames, key.Fps, key.Joints}), (std::tuple{row.Frames, 15.0, 1}));
    for (int f = 0; f < key.Frames; ++f) {
      SCOPED_TRACE(f);
      ExpectNear(Worlds(model, PoseAt(model, key, f)), row.Corners(f), 1e-3);
    }
    const TCliRun check = RunCli({"check", "--key", path, out});
    EXPECT_EQ(check.Status, 0) << check.Out;
  }
}

// A JPEG picture of 16 x 8 texels of dull red.
const char kJpeg[] =
    "\xff\xd8\xff\xe0\x00\x10\x4a\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xdb\x00\x43"
    "\x00\x10\x0b\x0c\x0e\x0c\x0a\x10\x0e\x0d\x0e\x12\x11\x10\x13\x18\x28\x1a\x18\x16\x16\x18\x31\x23"
    "\x25\x1d\x28\x3a\x33\x3d\x3c\x39\x33\x38\x37\x40\x48\x5c\x4e\x40\x44\x57\x45\x37\x38\x50\x6d\x51"
    "\x57\x5f\x62\x67\x68\x67\x3e\x4d\x71\x79\x70\x64\x78\x5c\x65\x67\x63\xff\xdb\x00\x43\x01\x11\x12"
    "\x12\x18\x15\x18\x2f\x1a\x1a\x2f\x63\x42\x38\x42\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63"
    "\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\x63\xff\xc0\x00\x11\x08\x00\x08\x00\x10\x03"
    "\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xc4\x00\x15\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x05\xff\xc4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\xff\xc4\x00\x15\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x04\x06\xff\xc4\x00\x14\x11\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
    "\x00\x00\x00\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00\x96\x00\x4a\x67\xff\xd9";

// A JPEG picture, as modelling programs often keep them, is made a material as a PNG one is.
TEST(GltfImport, JpegPicturesBecomeMaterials) {
  const fmt_test::TTempDir dir;
  TGltfMaker maker;
  const int stone = maker.Material("stone", std::string(kJpeg, sizeof kJpeg - 1), false, false);
  maker.Gltf.images[0].mimeType = "image/jpeg";
  maker.Node("wall", {}, {}, {},
             maker.Mesh("wall", {1, 0, 0, 0, 0, -1, 0, 0, 0}, {0, 1, 2}, stone, {1, 0.5, 0, 0, 0.25, 1}));
  const TCliRun run = RunCli({"convert", maker.Write(dir.File("wall.glb")), dir.File("wall.3do")});
  ASSERT_EQ(run.Status, 0) << run.Out;
  EXPECT_NE(run.Out.find("stone.mat: 16 x 8, 8 bits"), std::string::npos) << run.Out;
  TModel model;
  ASSERT_TRUE(Load3DOFile(model, dir.File("wall.3do")));
  const TFace& face = *model.Nodes[0]->Mesh->Surfaces[0];
  EXPECT_EQ((std::tuple{face.TXVertices[0].U, face.TXVertices[0].V, face.TXVertices[2].U}),
            (std::tuple{16.0f, 4.0f, 4.0f}));
}

// A PNG of 16 bits a channel, as programs keep some, gives the high 8 bits of each: two
// pixels (0x1234, 0xabcd, 0xff00, 0xffff) and (0x00ff, 0x8000, 0x7fff, 0x4000).
TEST(GltfImport, PicturesOfSixteenBitsAChannelKeepTheirHighBits) {
  static const char kPng[] =
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x01"
      "\x10\x06\x00\x00\x00\xa4\xb2\xa3\xc9\x00\x00\x00\x18\x49\x44\x41\x54\x78\xda\x63\x10\x32\x59\x7d"
      "\xf6\x3f\xc3\x7f\x20\x6a\x60\xa8\xff\xef\xc0\x00\x00\x46\x53\x07\xf9\x04\xe8\xb0\xa0\x00\x00\x00"
      "\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
  const fmt_test::TTempDir dir;
  TGltfMaker maker;
  const int stone = maker.Material("stone", std::string(kPng, sizeof kPng - 1), false, false);
  maker.Node("wall", {}, {}, {}, maker.Mesh("wall", {1, 0, 0, 0, 0, -1, 0, 0, 0}, {0, 1, 2}, stone));
  TModel model;
  const TGltfExtras extras = ImportGltf(model, maker.Write(dir.File("wall.glb")));
  ASSERT_EQ(extras.Textures.size(), 1u);
  EXPECT_EQ(extras.Textures[0].Picture.Rgba, (std::vector<uint8_t>{0x12, 0xab, 0xff, 0xff, 0x00, 0x80, 0x7f, 0x40}));
}

// The picture takes the set of texture coordinates its material names, moved as its
// KHR_texture_transform says: scaled (0.5, 1), turned a quarter (u towards -v), moved (0.5, 0).
// Corner (1, 0.5) becomes (0.5, 0.5), (0.5, -0.5), (1, -0.5): texels (16, -4) of 16 x 8.
TEST(GltfImport, APictureTakesItsSetOfTextureCoordinatesAndTheirTransform) {
  const fmt_test::TTempDir dir;
  using TValue = tinygltf::Value;
  const TValue transform(TValue::Object{{"offset", TValue(TValue::Array{TValue(0.5), TValue(0.0)})},
                                        {"rotation", TValue(1.5707963267948966)},
                                        {"scale", TValue(TValue::Array{TValue(0.5), TValue(1.0)})},
                                        {"texCoord", TValue(1)}});
  const struct { const char* Case; int TexCoord; TValue Transform; std::vector<float> Texels; } rows[] = {
      {"the second set", 1, {}, {16, 4, 0, 0, 4, 8}},
      {"the transform's set, transformed", 0, transform, {16, -4, 8, 0, 24, -1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Case);
    TGltfMaker maker;
    const int stone = maker.Material("stone", std::string(kJpeg, sizeof kJpeg - 1), false, false);
    maker.Gltf.images[0].mimeType = "image/jpeg";
    tinygltf::TextureInfo& texture = maker.Gltf.materials[0].pbrMetallicRoughness.baseColorTexture;
    texture.texCoord = row.TexCoord;
    if (row.Transform.IsObject()) texture.extensions["KHR_texture_transform"] = row.Transform;
    const int wall = maker.Mesh("wall", {1, 0, 0, 0, 0, -1, 0, 0, 0}, {0, 1, 2}, stone, {0, 0, 0, 0, 0, 0});
    maker.Gltf.meshes[static_cast<size_t>(wall)].primitives[0].attributes["TEXCOORD_1"] =
        maker.Accessor({1, 0.5, 0, 0, 0.25, 1}, TINYGLTF_TYPE_VEC2);
    maker.Node("wall", {}, {}, {}, wall);
    TModel model;
    ASSERT_TRUE(Read(model, maker.Write(dir.File("wall.glb"))));
    const TFace& face = *model.Nodes[0]->Mesh->Surfaces[0];
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(face.TXVertices[k].U, row.Texels[2 * k], 1e-5) << k;
      EXPECT_NEAR(face.TXVertices[k].V, row.Texels[2 * k + 1], 1e-5) << k;
    }
  }
}

}  // namespace
