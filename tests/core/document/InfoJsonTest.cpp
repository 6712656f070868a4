// zarn-cli info --json read back by a strict JSON parser and held against the model.

#include <nlohmann/json.hpp>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

using nlohmann::json;

// info --json of the file, held against the model as this process reads it; the parse.
json ExpectDescribes(const std::string& path) {
  TTestCore read;
  EXPECT_TRUE(Load3DOFile(read.Model(), path));
  const TModel& model = read.Model();
  const TCliRun run = RunCliApart({"info", "--json", path});
  EXPECT_EQ(run.Status, 0) << run.Err;
  json info = json::parse(run.Out);
  EXPECT_EQ(info["counts"]["nodes"], model.Nodes.Count());
  EXPECT_EQ(info["counts"]["materials"], model.Materials.Count());
  EXPECT_EQ(info["radius"], model.Radius);
  EXPECT_EQ(info["levels_of_detail"]["count"], model.GeosetCount());
  EXPECT_EQ(info["levels_of_detail"]["current_index"], model.CurrentGeoset());
  long long vertices = 0, faces = 0;
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    const TNode& n = *model.Nodes[i];
    json& node = info["nodes"][static_cast<size_t>(i)];
    EXPECT_EQ(node["parent_index"], n.Parent ? json(model.Nodes.IndexOf(n.Parent)) : json());
    EXPECT_EQ(node["mesh"].is_string(), n.Mesh != nullptr);
    const long long nodeVertices = n.Mesh ? n.Mesh->Vertices.Count() : 0;
    const long long nodeFaces = n.Mesh ? n.Mesh->Surfaces.Count() : 0;
    EXPECT_EQ((std::tuple{node["vertices"], node["faces"]}), (std::tuple{json(nodeVertices), json(nodeFaces)}));
    vertices += nodeVertices, faces += nodeFaces;
  }
  EXPECT_EQ((std::tuple{info["counts"]["vertices"], info["counts"]["faces"]}), (std::tuple{json(vertices), json(faces)}));
  const auto found = MaterialFinder(read.Core);
  for (int i = 0; i < model.Materials.Count(); ++i) {
    const TMaterial& m = *model.Materials.Get(i);
    json& material = info["materials"][static_cast<size_t>(i)];
    EXPECT_EQ((std::tuple{material["name"], material["found"]}), (std::tuple{json(m.Name), json(found(m.Name))}));
    for (const auto& [key, value] : {std::pair{"width", m.Width}, {"height", m.Height}, {"bit_depth", m.BitDepth}})
      EXPECT_EQ(material[key], m.Loaded ? json(value) : json()) << key;
  }
  return info;
}

TEST(InfoJson, DescribesTheSampleModelAndItsFoundMaterials) {
  json info = ExpectDescribes(ZARN_SAMPLES_DIR "/fighter.3do");
  EXPECT_EQ(info["nodes"][1]["name"], "canopy");
  EXPECT_FALSE(info["materials"][1]["width"].is_null());
}

// Names are bytes in a 3DO file: quotes, backslashes and control characters come back
// exactly, well-formed UTF-8 stays, and a byte that is not UTF-8 arrives as its Latin-1 letter.
TEST(InfoJson, AwkwardNamesComeBackThroughTheEscapes) {
  std::string text = Replace(TriangleModelText(), "NAME tri", "NAME q\"b\\s\x01t\x7f");
  text = Replace(Replace(text, " root", " caf\xc3\xa9"), " child", " caf\xe9");
  const fmt_test::TTempDir dir;
  json info = ExpectDescribes(dir.Write("awkward.3do", text));
  EXPECT_EQ(info["nodes"][0]["mesh"], "q\"b\\s\x01t\x7f");
  EXPECT_EQ(info["nodes"][0]["name"], "caf\xc3\xa9");
  EXPECT_EQ(info["nodes"][1]["name"], "caf\xc3\xa9");
  EXPECT_EQ(info["materials"][0]["found"], false);
}

}  // namespace
