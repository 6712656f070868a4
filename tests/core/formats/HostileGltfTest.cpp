// glTF files that do not read: one message from convert, no model, no file written.

#include <functional>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/GltfMaker.h"

using namespace gltf_test;

namespace {

std::string Text(const std::string& json) {
  return "{\"asset\":{\"version\":\"2.0\"}," + json + "}";
}

// A triangle whose file the row then damages.
TGltfMaker Triangle(const std::vector<double>& positions = {0, 0, 0, 1, 0, 0, 0, 1, 0},
                    std::vector<double> indices = {0, 1, 2}) {
  TGltfMaker maker;
  maker.Node("tri", {}, {}, {}, maker.Mesh("tri", positions, indices));
  return maker;
}

// A textured triangle whose picture's KHR_texture_transform has the offset `offset`.
TGltfMaker MovedPicture(const tinygltf::Value& offset) {
  TGltfMaker maker;
  const int stone = maker.Material("stone", "", false, false);
  maker.Gltf.materials[0].pbrMetallicRoughness.baseColorTexture.extensions["KHR_texture_transform"] =
      tinygltf::Value(tinygltf::Value::Object{{"offset", offset}});
  maker.Node("tri", {}, {}, {}, maker.Mesh("tri", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}, stone, {0, 0, 1, 0, 0, 1}));
  return maker;
}

TEST(HostileGltf, EachFileGivesOneMessageAndWritesNothing) {
  const fmt_test::TTempDir dir;
  std::string manyNodes = "\"scenes\":[{\"nodes\":[0]}],\"nodes\":[{}";
  for (int i = 1; i < 100000; ++i) manyNodes += ",{}";
  manyNodes += "]";
  // The file is the row's text as it stands, or what its maker writes where there is none.
  const struct {
    const char* Case;
    const char* File;
    std::string Text;
    std::function<TGltfMaker()> Make;
    const char* Says;
  } rows[] = {
      {"BrokenJson", "a.gltf", "{\"asset\": {\"version\": ", {},
       "a.gltf: broken JSON: parse error at line 1, column 23"},
      {"MissingBuffer", "b.gltf",
       Text("\"buffers\":[{\"byteLength\":12,\"uri\":\"gone.bin\"}]"), {}, "gone.bin"},
      {"GigabyteBuffer", "c.gltf",
       Text("\"buffers\":[{\"byteLength\":4000000000,\"uri\":\"data:"
            "application/octet-stream;base64,AAAA\"}]"),
       {}, ""},
      {"IndexOutOfRange", "d.glb", "",
       [] { return Triangle({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 7}); },
       "index 2 is not one of the 3 vertices"},
      {"NanPosition", "e.glb", "", [] { return Triangle({0, 0, 0, NAN, 0, 0, 0, 1, 0}); },
       "element 1 is not a finite number"},
      {"ShortBuffer", "f.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Gltf.accessors[0].count = 1000;
         return maker;
       },
       ""},
      {"TwoParents", "g.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Gltf.nodes[static_cast<size_t>(maker.Node("a"))].children = {0};
         maker.Gltf.nodes[static_cast<size_t>(maker.Node("b"))].children = {0};
         return maker;
       },
       "has two parents"},
      {"Loop", "h.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Gltf.nodes[static_cast<size_t>(maker.Node("a", {}, {}, {}, -1, 0))].children = {0};
         return maker;
       },
       "node 0"},
      {"SparseIndicesFall", "k.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Sparse(0, {2, 1}, {0, 0, 0, 0, 0, 0});
         return maker;
       },
       "sparse index 1 (1) is not above the one before it and below 3"},
      {"SparseIndexPastTheEnd", "l.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Sparse(0, {1, 3}, {0, 0, 0, 0, 0, 0});
         return maker;
       },
       "sparse index 1 (3) is not above the one before it and below 3"},
      {"NoRotation", "m.glb", "",
       [] {
         TGltfMaker maker;
         maker.Node("tri", {}, {0, 0, 0, 0}, {}, maker.Mesh("tri", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}));
         return maker;
       },
       "its rotation is no rotation"},
      {"NegativeJoint", "n.glb", "",
       [] {
         TGltfMaker maker;
         maker.Skin(maker.Node("leg"), {maker.Node("hip")}, {{0, 0, 0}}, {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2},
                    std::vector<double>(12, 0), {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
         maker.Gltf.meshes[0].primitives[0].attributes["JOINTS_0"] =
             maker.Accessor({0, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0}, TINYGLTF_TYPE_VEC4);
         return maker;
       },
       "a vertex names a joint it does not have"},
      {"TextureTransformOfText", "o.glb", "", [] { return MovedPicture(tinygltf::Value(std::string("far"))); },
       "material 0: the KHR_texture_transform's offset is not two finite numbers"},
      {"TextureTransformBeyondTexels", "q.glb", "",
       [] { return MovedPicture(tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(1e300), tinygltf::Value(0.0)})); },
       "mesh 0: a texture coordinate, transformed, is too large for a texel"},
      {"CompressedMeshes", "p.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Gltf.extensionsUsed = maker.Gltf.extensionsRequired = {"KHR_texture_transform", "KHR_draco_mesh_compression"};
         return maker;
       },
       "p.glb: it needs the glTF extension KHR_draco_mesh_compression, which this program does not read"},
      {"HundredThousandNodes", "i.gltf", Text(manyNodes), {},
       "100000 nodes; this program reads at most 4096"},
      {"EndlessAnimation", "j.glb", "",
       [] {
         TGltfMaker maker = Triangle();
         maker.Channel(0, "", 0, "translation", {0, 1e9}, {0, 0, 0, 1, 0, 0});
         return maker;
       },
       "animation 0 lasts more frames than this program reads for 1 nodes"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Case);
    const std::string out = dir.File(std::string(row.Case) + ".3do");
    const std::string in =
        row.Text.empty() ? row.Make().Write(dir.File(row.File)) : dir.Write(row.File, row.Text);
    const TCliRun run = RunCliApart({"convert", in, out});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_NE(run.Err.find(row.Says), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("exception"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

}  // namespace
