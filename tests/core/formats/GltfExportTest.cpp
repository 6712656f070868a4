#include <cmath>
#include <filesystem>
#include <tuple>

#include "formats/FileIO.h"
#include "formats/GltfExport.h"
#include "formats/GltfImport.h"
#include "formats/KeyReader.h"
#include "model/Errors.h"
#include "model/KeyPose.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/GltfReadBack.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

// A chain body > arm > hand > tag (no mesh), each moved, turned about every axis and
// pivoted; a picture material of 8 x 4 texels and one that was not found; a quad, a
// pentagon, and faces two-sided, translucent and both.
void BuildJointedModel(TModel& model) {
  TMaterial* picture = model.Materials.FindOrAdd("a.mat");
  picture->Width = 8, picture->Height = 4, picture->Loaded = true;
  picture->Pixels.assign(8 * 4 * 3, 0x40);
  TMaterial* gone = model.Materials.FindOrAdd("gone.mat");
  TNode* body = AddMeshNode(model, "body", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5, 1.5, 0.2}});
  body->Position = {0.1, 0.2, 0.3}, body->Rotation = {10, 20, 30}, body->Pivot = {0.05, -0.02, 0.01};
  AddFace(*body->Mesh, {0, 1, 2, 3})->Material = picture;
  TFace* pentagon = AddFace(*body->Mesh, {0, 1, 2, 4, 3});
  pentagon->Material = gone, pentagon->FaceType = ftTwoSided;
  TNode* arm = AddMeshNode(model, "arm", {{0, 0, 0}, {0.3, 0, 0}, {0, 0.3, 0.1}, {0.3, 0.3, 0}});
  arm->Parent = body, arm->Position = {1, 0.5, 0}, arm->Rotation = {-45, 90, 15}, arm->Pivot = {0.1, 0, 0};
  TFace* see = AddFace(*arm->Mesh, {0, 1, 2});
  see->Material = picture, see->FaceType = ftTranslucent;
  see->TXVertices[1] = {8, 0}, see->TXVertices[2] = {4, 4};
  AddFace(*arm->Mesh, {1, 3, 2})->Material = picture;
  TNode* hand = AddMeshNode(model, "hand", {{0, 0, 0}, {0.1, 0, 0}, {0, 0.1, 0}});
  hand->Parent = arm, hand->Position = {0.3, 0, 0}, hand->Rotation = {5, -60, 170}, hand->Pivot = {0, 0, -0.2};
  AddFace(*hand->Mesh, {0, 1, 2})->Material = picture;
  hand->Mesh->Surfaces[0]->FaceType = ftTwoSided | ftTranslucent;
  TNode* tag = model.AddNode();
  tag->Name = "tag", tag->Parent = hand;
  model.Update();
}

class GltfExport : public ::testing::Test, protected TTestCore {
 protected:
  // Every corner of every mesh, placed through the written file, stands where the views
  // place it, and nothing else does.
  void ExpectViewsPlaces(const tinygltf::Model& gltf, int animation = -1, size_t sample = 0) {
    for (const TNode* node : Model().Nodes) {
      if (!node->Mesh) continue;
      SCOPED_TRACE(node->Name);
      std::vector<TVector> views;
      for (const TVertex* v : node->Mesh->Vertices) views.push_back(v->World);
      const std::vector<TVector> written = gltf_test::PlacedCorners(gltf, node->Name, animation, sample);
      EXPECT_TRUE(gltf_test::AllNear(written, views));
      EXPECT_TRUE(gltf_test::AllNear(views, written));
    }
  }
  TTempDir Dir;
};

TEST_F(GltfExport, PlacesEveryCornerAsTheViewsAndPassesTheValidator) {
  const std::string sample = Dir.Write("fighter.3do", ::ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do"));
  std::filesystem::copy(ZARN_SAMPLES_DIR "/Mat", Dir.File("Mat"));
  for (const std::string file : {"fighter.glb", "fighter.gltf", "jointed.glb", "jointed.gltf"}) {
    SCOPED_TRACE(file);
    Model().Clear();
    if (file.starts_with("fighter"))
      ASSERT_TRUE(Load3DOFile(Model(), sample));
    else
      BuildJointedModel(Model());
    ExportGltf(Model(), Dir.File(file));
    EXPECT_EQ(gltf_test::Validate(Dir.File(file)), 0);
    const tinygltf::Model gltf = gltf_test::Read(Dir.File(file));
    ExpectViewsPlaces(gltf);
    size_t triangles = 0;  // every face, in fans of its corners
    for (const auto& mesh : gltf.meshes)
      for (const auto& p : mesh.primitives) triangles += gltf.accessors[static_cast<size_t>(p.indices)].count / 3;
    EXPECT_EQ(triangles, file.starts_with("fighter") ? 108u : 8u);
  }
  // The pictures and buffers of the .gltf files lie beside them; no temporary is left.
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(Dir.Path)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Mat", "fighter.3do", "fighter.bin", "fighter.glb", "fighter.gltf",
                                             "fighter_dflt.png", "fighter_engine.png", "fighter_glass.png",
                                             "fighter_hull.png", "jointed.bin", "jointed.glb", "jointed.gltf",
                                             "jointed_a.png"}));
}

TEST_F(GltfExport, KeepsMaterialsPlaysEveryFrameAsTheGameDoesAndRefusesNoFramesPerSecond) {
  BuildJointedModel(Model());
  TNamedKey walk{"walk", ReadKeyFile(Dir.Write("walk.key", key_test::TwoNodeKey()))};
  ExportGltf(Model(), Dir.File("a.glb"), {walk});
  EXPECT_EQ(gltf_test::Validate(Dir.File("a.glb")), 0);
  const tinygltf::Model gltf = gltf_test::Read(Dir.File("a.glb"));
  using TLook = std::tuple<std::string, bool, std::string, int, double>;
  std::vector<TLook> materials;
  for (const auto& m : gltf.materials)
    materials.emplace_back(m.name, m.doubleSided, m.alphaMode, m.pbrMetallicRoughness.baseColorTexture.index,
                           m.pbrMetallicRoughness.baseColorFactor[0]);
  EXPECT_EQ(materials, (std::vector<TLook>{{"a.mat", false, "OPAQUE", 0, 1}, {"gone.mat", true, "OPAQUE", -1, 0.5},
                                           {"a.mat", false, "BLEND", 0, 1}, {"a.mat", true, "BLEND", 0, 1}}));
  // The arm's translucent triangle: texels (0, 0), (8, 0), (4, 4) of 8 x 4, V down the picture.
  const auto& see = gltf.meshes[1].primitives[0];
  std::vector<std::vector<double>> texels;
  for (size_t i = 0; i < 3; ++i) texels.push_back(gltf_test::Element(gltf, see.attributes.at("TEXCOORD_0"), i));
  EXPECT_EQ(texels, (std::vector<std::vector<double>>{{0, 0}, {1, 0}, {0.5, 1}}));

  // Translation and rotation of the two nodes the KEY drives, body and arm, and no other.
  ASSERT_EQ(gltf.animations.size(), 1u);
  const tinygltf::Animation& animation = gltf.animations[0];
  std::vector<std::string> channels = {animation.name};
  for (const auto& c : animation.channels) channels.push_back(gltf.nodes[static_cast<size_t>(c.target_node)].name + " " + c.target_path);
  EXPECT_EQ(channels, (std::vector<std::string>{"walk", "body translation", "body rotation", "arm translation", "arm rotation"}));
  const tinygltf::Accessor& times = gltf.accessors[static_cast<size_t>(animation.samplers[0].input)];
  EXPECT_EQ((std::tuple{times.count, times.maxValues}), (std::tuple{size_t{21}, std::vector<double>{2}}));
  EXPECT_EQ(animation.extras.Get("markers").Get(1).Get("frame").GetNumberAsDouble(), 15);
  for (const size_t frame : {0, 3, 10, 14, 20}) {
    SCOPED_TRACE(frame);
    PlacePosed(Model(), PoseAt(Model(), walk.Key, static_cast<double>(frame)));
    ExpectViewsPlaces(gltf, 0, frame);
  }
  // A KEY made in the program rather than read (which refuses it) is checked all the same.
  walk.Key.Fps = 0;
  ExpectThrowWhat<EInOutError>([&] { ExportGltf(Model(), Dir.File("b.gltf"), {walk}); },
                               "Cannot export animation 'walk': its FPS is 0, not above 0");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path), {}), 2);  // the KEY and a.glb alone
}

// Corners lit by gouraud light take their vertices' normals, so a fold shades smoothly and
// shares its edge; under any other light each face keeps its own.
TEST_F(GltfExport, GivesGouraudCornersTheirVerticesNormals) {
  const double h = std::sqrt(0.5);
  // Sorted, at six decimals.
  const auto rounded = [](std::vector<std::vector<double>> normals) {
    for (auto& n : normals)
      for (double& x : n) x = std::round(x * 1e6) / 1e6;
    std::sort(normals.begin(), normals.end());
    return normals;
  };
  const std::vector<std::vector<std::vector<double>>> expected = {
      {{0, 0, 1}, {0, h, h}, {0, h, h}, {0, 1, 0}},
      {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}}};
  for (const int lighting : {3, 2}) {
    SCOPED_TRACE(lighting);
    Model().Clear();
    TNode* fold = AddMeshNode("fold", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    AddFace(*fold->Mesh, {0, 1, 2});
    AddFace(*fold->Mesh, {0, 3, 1});
    fold->Mesh->LightingMode = lighting;
    Model().Update();
    ExportGltf(Model(), Dir.File("fold.glb"));
    const tinygltf::Model gltf = gltf_test::Read(Dir.File("fold.glb"));
    const int normals = gltf.meshes[0].primitives[0].attributes.at("NORMAL");
    std::vector<std::vector<double>> written;
    for (size_t i = 0; i < gltf.accessors[static_cast<size_t>(normals)].count; ++i)
      written.push_back(gltf_test::Element(gltf, normals, i));
    EXPECT_EQ(rounded(written), rounded(expected[lighting == 3 ? 0 : 1]));
  }
}

// What a modelling program gets back from a written file: node names, parents, every
// corner's world position (1e-5), texels and material names (each distinct corner once, as
// polygons come back as triangles); and a KEY sent through glTF and
// back plays the same pose at every frame (1e-3).
TEST_F(GltfExport, ReadsBackAsTheSameModelAndAnimation) {
  using TCorner = std::tuple<std::string, double, double, double, float, float>;  // material, world, texel
  const auto corners = [](TModel& model) {
    std::vector<std::vector<TCorner>> nodes;
    for (TNode* n : model.Nodes) {
      std::vector<TCorner>& corners = nodes.emplace_back();
      if (!n->Mesh) continue;
      for (TFace* f : n->Mesh->Surfaces)
        for (int k = 0; k < f->Vertices.Count(); ++k) {
          const TVector& w = f->Vertices[k]->World;
          corners.emplace_back(f->Material->Name, w.X, w.Y, w.Z, f->TXVertices[k].U, f->TXVertices[k].V);
        }
      std::sort(corners.begin(), corners.end());
      corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    }
    return nodes;
  };
  const auto expectSame = [](const std::vector<std::vector<TCorner>>& a, const std::vector<std::vector<TCorner>>& b,
                             double near) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t n = 0; n < a.size(); ++n) {
      SCOPED_TRACE("node " + std::to_string(n));
      ASSERT_EQ(a[n].size(), b[n].size());
      for (size_t c = 0; c < a[n].size(); ++c) {
        const auto& [material, x, y, z, u, v] = a[n][c];
        const auto& [otherMaterial, otherX, otherY, otherZ, otherU, otherV] = b[n][c];
        EXPECT_EQ(material, otherMaterial);
        ExpectNear({x, y, z}, otherX, otherY, otherZ, near);
        EXPECT_NEAR(u, otherU, 1e-3);
        EXPECT_NEAR(v, otherV, 1e-3);
      }
    }
  };
  ASSERT_TRUE(Load3DOFile(Model(), Dir.Write("fighter.3do", ::ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do"))));
  const TNamedKey bank{"fighter-bank", ReadKeyFile(ZARN_SAMPLES_DIR "/fighter-bank.key")};
  ExportGltf(Model(), Dir.File("fighter.glb"), {bank});
  TModel back;
  const TGltfExtras extras = ImportGltf(back, Dir.File("fighter.glb"), bank.Key.Fps);
  back.Update();
  ASSERT_EQ(back.Nodes.Count(), Model().Nodes.Count());
  for (int i = 0; i < back.Nodes.Count(); ++i) {
    EXPECT_EQ(back.Nodes[i]->Name, Model().Nodes[i]->Name);
    EXPECT_EQ(back.Nodes[i]->ParentIndex, Model().Nodes[i]->ParentIndex);
    const auto vertices = [](const TNode* n) { return n->Mesh ? n->Mesh->Vertices.Count() : 0; };
    EXPECT_EQ(vertices(back.Nodes[i]), vertices(Model().Nodes[i]));  // split by glTF, one again
  }
  expectSame(corners(Model()), corners(back), 1e-5);
  ASSERT_EQ(extras.Animations.size(), 1u);
  const TKeyAnimation& key = extras.Animations[0].Key;
  EXPECT_EQ((std::tuple{extras.Animations[0].Name, key.Frames}), (std::tuple{"fighter-bank", bank.Key.Frames}));
  for (int frame = 0; frame < bank.Key.Frames; ++frame) {
    SCOPED_TRACE(frame);
    PlacePosed(Model(), PoseAt(Model(), bank.Key, frame));
    PlacePosed(back, PoseAt(back, key, frame));
    expectSame(corners(Model()), corners(back), 1e-3);
  }
}

}  // namespace
