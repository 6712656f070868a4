// zarn-cli info --json read back by a strict little JSON parser and held against the model.

#include <charconv>
#include <map>
#include <stdexcept>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

// Every scalar of a JSON text by its path ("nodes.1.name"): numbers, true, false and null as
// written, strings decoded and marked by a leading '"'. Throws on anything that is not JSON,
// except that \u escapes above U+07FF, which the tool never writes, count as errors too.
class TFlatJson {
 public:
  explicit TFlatJson(const std::string& text) : T(text) {
    Value("");
    if (Space() != T.size()) Fail();
  }
  std::map<std::string, std::string> At;

 private:
  void Value(const std::string& path) {
    Space();
    if (Eat('{') || Eat('[')) {
      const char close = T[I - 1] == '{' ? '}' : ']';
      for (int n = 0; Space(), !Eat(close); ++n) {
        if (n > 0 && !Eat(',')) Fail();
        std::string key = std::to_string(n);
        if (close == '}' && (Space(), key = Str(), Space(), !Eat(':'))) Fail();
        Value(path.empty() ? key : path + "." + key);
      }
    } else if (I < T.size() && T[I] == '"') {
      At[path] = '"' + Str();
    } else {
      const size_t end = std::min(T.find_first_of(",]} \t\r\n", I), T.size());
      const std::string word = At[path] = T.substr(I, end - I);
      double number;
      const bool literal = word == "true" || word == "false" || word == "null";
      const char* const last = word.data() + word.size();
      const bool numeric = !word.empty() && word[0] != '+' && word.find_first_not_of("-+.eE0123456789") == word.npos &&
                           std::from_chars(word.data(), last, number).ptr == last;
      if (!literal && !numeric) Fail();
      I = end;
    }
  }

  std::string Str() {
    std::string s;
    if (!Eat('"')) Fail();
    for (char c; (c = Next()) != '"';) {
      if (static_cast<unsigned char>(c) < 0x20) Fail();
      if (c != '\\') {
        s += c;
        continue;
      }
      const std::string plain = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
      const char e = Next();
      unsigned code = 0;
      if (plain.find(e) != std::string::npos) {
        s += meant[plain.find(e)];
      } else if (e == 'u' && I + 4 <= T.size() && std::from_chars(&T[I], &T[I] + 4, code, 16).ptr == &T[I] + 4 &&
                 code < 0x800) {
        I += 4;
        if (code < 0x80) s += static_cast<char>(code);
        else s += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
      } else {
        Fail();
      }
    }
    return s;
  }

  size_t Space() { return I = std::min(T.find_first_not_of(" \t\r\n", I), T.size()); }
  bool Eat(char c) { return I < T.size() && T[I] == c && ++I; }
  char Next() { return I < T.size() ? T[I++] : (Fail(), 0); }
  [[noreturn]] void Fail() const { throw std::runtime_error("not JSON at " + std::to_string(I)); }

  const std::string& T;
  size_t I = 0;
};

// info --json of the file, held against the model as this process reads it; the parse.
std::map<std::string, std::string> ExpectDescribes(const std::string& path) {
  TTestCore read;
  EXPECT_TRUE(Load3DOFile(read.Model(), path));
  const TModel& model = read.Model();
  const TCliRun run = RunCliApart({"info", "--json", path});
  EXPECT_EQ(run.Status, 0) << run.Err;
  std::map<std::string, std::string> info = TFlatJson(run.Out).At;
  const auto number = [](auto value) { return std::to_string(value); };
  EXPECT_EQ(info["counts.nodes"], number(model.Nodes.Count()));
  EXPECT_EQ(info["counts.materials"], number(model.Materials.Count()));
  EXPECT_EQ(std::stod(info["radius"]), model.Radius);
  EXPECT_EQ(info["levels_of_detail.count"], number(model.GeosetCount()));
  EXPECT_EQ(info["levels_of_detail.current_index"], number(model.CurrentGeoset()));
  long long vertices = 0, faces = 0;
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    const TNode& n = *model.Nodes[i];
    const std::string node = "nodes." + number(i) + ".";
    EXPECT_EQ(info[node + "parent_index"], n.Parent ? number(model.Nodes.IndexOf(n.Parent)) : "null");
    EXPECT_EQ(info[node + "mesh"].substr(0, 1), n.Mesh ? "\"" : "n");
    const long long nodeVertices = n.Mesh ? n.Mesh->Vertices.Count() : 0;
    const long long nodeFaces = n.Mesh ? n.Mesh->Surfaces.Count() : 0;
    EXPECT_EQ(info[node + "vertices"], number(nodeVertices));
    EXPECT_EQ(info[node + "faces"], number(nodeFaces));
    vertices += nodeVertices, faces += nodeFaces;
  }
  EXPECT_EQ(info["counts.vertices"], number(vertices));
  EXPECT_EQ(info["counts.faces"], number(faces));
  const auto found = MaterialFinder(read.Core);
  for (int i = 0; i < model.Materials.Count(); ++i) {
    const TMaterial& m = *model.Materials.Get(i);
    const std::string material = "materials." + number(i) + ".";
    EXPECT_EQ(info[material + "name"], '"' + m.Name);
    EXPECT_EQ(info[material + "found"], found(m.Name) ? "true" : "false");
    for (const auto& [key, value] : {std::pair{"width", m.Width}, {"height", m.Height}, {"bit_depth", m.BitDepth}})
      EXPECT_EQ(info[material + key], m.Loaded ? number(value) : "null") << key;
  }
  return info;
}

TEST(InfoJson, DescribesTheSampleModelAndItsFoundMaterials) {
  std::map<std::string, std::string> info = ExpectDescribes(ZARN_SAMPLES_DIR "/fighter.3do");
  EXPECT_EQ(info["nodes.1.name"], "\"canopy");
  EXPECT_NE(info["materials.1.width"], "null");
}

// Names are bytes in a 3DO file: quotes, backslashes and control characters come back
// exactly, well-formed UTF-8 stays, and a byte that is not UTF-8 arrives as its Latin-1 letter.
TEST(InfoJson, AwkwardNamesComeBackThroughTheEscapes) {
  std::string text = Replace(TriangleModelText(), "NAME tri", "NAME q\"b\\s\x01t\x7f");
  text = Replace(Replace(text, " root", " caf\xc3\xa9"), " child", " caf\xe9");
  const fmt_test::TTempDir dir;
  std::map<std::string, std::string> info = ExpectDescribes(dir.Write("awkward.3do", text));
  EXPECT_EQ(info["nodes.0.mesh"], "\"q\"b\\s\x01t\x7f");
  EXPECT_EQ(info["nodes.0.name"], "\"caf\xc3\xa9");
  EXPECT_EQ(info["nodes.1.name"], "\"caf\xc3\xa9");
  EXPECT_EQ(info["materials.0.found"], "false");
}

}  // namespace
