// zarn-cli info --json read back by a strict little JSON parser and held against the model.
#include <gtest/gtest.h>

#include <charconv>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "formats/MaterialLoader.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

struct TJson {
  enum { Null, Bool, Number, String, Array, Object } Kind = Null;
  bool Flag = false;
  double Value = 0;
  std::string Text;
  std::vector<TJson> Items;
  std::vector<std::pair<std::string, TJson>> Members;

  const TJson& operator[](const std::string& key) const {
    for (const auto& [name, value] : Members)
      if (name == key) return value;
    throw std::out_of_range("no member " + key);
  }
};

// RFC 8259 as far as the tool writes it: \u escapes above U+FFFF and other liberties fail.
class TJsonParser {
 public:
  explicit TJsonParser(const std::string& text) : T(text) {}
  TJson Document() {
    TJson value = Value();
    Space();
    if (At != T.size()) Fail("text after the value");
    return value;
  }

 private:
  TJson Value() {
    Space();
    TJson v;
    if (Eat('{')) {
      v.Kind = TJson::Object;
      if (Space(), Eat('}')) return v;
      do {
        Space();
        std::string key = Str();
        Space();
        Expect(':');
        v.Members.emplace_back(std::move(key), Value());
        Space();
      } while (Eat(','));
      Expect('}');
    } else if (Eat('[')) {
      v.Kind = TJson::Array;
      if (Space(), Eat(']')) return v;
      do v.Items.push_back(Value());
      while (Space(), Eat(','));
      Expect(']');
    } else if (At < T.size() && T[At] == '"') {
      v.Kind = TJson::String;
      v.Text = Str();
    } else if (Word("true")) {
      v.Kind = TJson::Bool;
      v.Flag = true;
    } else if (Word("false")) {
      v.Kind = TJson::Bool;
    } else if (!Word("null")) {
      const size_t end = T.find_first_not_of("-+.eE0123456789", At);
      const char* first = T.data() + At;
      const char* last = T.data() + (end == std::string::npos ? T.size() : end);
      if (first == last || !(*first == '-' || (*first >= '0' && *first <= '9'))) Fail("no value");
      if (std::from_chars(first, last, v.Value).ptr != last) Fail("a bad number");
      v.Kind = TJson::Number;
      At = static_cast<size_t>(last - T.data());
    }
    return v;
  }

  std::string Str() {
    Expect('"');
    std::string s;
    while (true) {
      if (At >= T.size()) Fail("an open string");
      const char c = T[At++];
      if (c == '"') return s;
      if (static_cast<unsigned char>(c) < 0x20) Fail("a raw control character");
      if (c != '\\') {
        s += c;
        continue;
      }
      const char e = At < T.size() ? T[At++] : 0;
      const std::string plain = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
      if (plain.find(e) != std::string::npos && e) {
        s += meant[plain.find(e)];
        continue;
      }
      unsigned code = 0;
      if (e != 'u' || At + 4 > T.size() || std::from_chars(&T[At], &T[At + 4], code, 16).ptr != &T[At + 4] ||
          (code >= 0xD800 && code < 0xE000))
        Fail("a bad escape");
      At += 4;
      if (code < 0x80) {
        s += static_cast<char>(code);
      } else if (code < 0x800) {
        s += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
      } else {
        s += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
              static_cast<char>(0x80 | (code & 0x3F))};
      }
    }
  }

  void Space() { At = std::min(T.find_first_not_of(" \t\r\n", At), T.size()); }
  bool Eat(char c) { return At < T.size() && T[At] == c && ++At; }
  void Expect(char c) {
    if (!Eat(c)) Fail(std::string("no '") + c + "'");
  }
  bool Word(const std::string& w) { return T.compare(At, w.size(), w) == 0 && (At += w.size()); }
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error(what + " at " + std::to_string(At));
  }

  const std::string& T;
  size_t At = 0;
};

// What info --json says of the file, parsed; the model as read here, to hold it against.
TJson InfoOf(const std::string& path) {
  const TCliRun run = RunCliApart({"info", "--json", path});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(run.Out.ends_with("}\n"));
  return TJsonParser(run.Out).Document();
}

// Every count, material and node of the model, as the file's reader in this process sees it.
void ExpectDescribes(const TJson& info, TTestCore& read) {
  TModel& model = read.Model();
  ASSERT_EQ(info["counts"]["nodes"].Value, model.Nodes.Count());
  EXPECT_EQ(info["counts"]["materials"].Value, model.Materials.Count());
  EXPECT_EQ(info["radius"].Value, model.Radius);
  EXPECT_EQ(info["levels_of_detail"]["count"].Value, model.GeosetCount());
  EXPECT_EQ(info["levels_of_detail"]["current"].Value, model.CurrentGeoset());
  double vertices = 0, faces = 0;
  for (int i = 0; i < model.Nodes.Count(); ++i) {
    const TNode& n = *model.Nodes[i];
    const TJson& node = info["nodes"].Items.at(static_cast<size_t>(i));
    SCOPED_TRACE(n.Name);
    EXPECT_EQ(node["parent"].Kind, n.Parent ? TJson::Number : TJson::Null);
    if (n.Parent) {
      EXPECT_EQ(node["parent"].Value, model.Nodes.IndexOf(n.Parent));
    }
    EXPECT_EQ(node["mesh"].Kind, n.Mesh ? TJson::String : TJson::Null);
    EXPECT_EQ(node["vertices"].Value, n.Mesh ? n.Mesh->Vertices.Count() : 0);
    EXPECT_EQ(node["faces"].Value, n.Mesh ? n.Mesh->Surfaces.Count() : 0);
    vertices += node["vertices"].Value;
    faces += node["faces"].Value;
  }
  EXPECT_EQ(info["counts"]["vertices"].Value, vertices);
  EXPECT_EQ(info["counts"]["faces"].Value, faces);
  const auto found = MaterialFinder(read.Core);
  for (int i = 0; i < model.Materials.Count(); ++i) {
    const TMaterial& m = *model.Materials.Get(i);
    const TJson& material = info["materials"].Items.at(static_cast<size_t>(i));
    EXPECT_EQ(material["name"].Text, m.Name);
    EXPECT_EQ(material["found"].Flag, found(m.Name));
    for (const auto& [key, value] : {std::pair{"width", m.Width}, {"height", m.Height}, {"bit_depth", m.BitDepth}}) {
      EXPECT_EQ(material[key].Kind, m.Loaded ? TJson::Number : TJson::Null) << key;
      if (m.Loaded) {
        EXPECT_EQ(material[key].Value, value) << key;
      }
    }
  }
}

TEST(InfoJson, DescribesTheSampleModelAndItsFoundMaterials) {
  const std::string path = ZARN_SAMPLES_DIR "/fighter.3do";
  TTestCore read;
  ASSERT_TRUE(read.Model().LoadFromFile(path));
  const TJson info = InfoOf(path);
  ExpectDescribes(info, read);
  EXPECT_EQ(info["nodes"].Items.at(1)["name"].Text, read.Model().Nodes[1]->Name);
  EXPECT_TRUE(info["materials"].Items.at(1)["found"].Flag);
}

// Names are bytes in a 3DO file: quotes, backslashes and control characters come back
// exactly, well-formed UTF-8 stays, and a byte that is not UTF-8 arrives as its Latin-1 letter.
TEST(InfoJson, AwkwardNamesComeBackThroughTheEscapes) {
  const std::vector<std::pair<std::string, std::string>> names = {
      {"q\"b\\s\x01t\x7f", "q\"b\\s\x01t\x7f"},
      {"caf\xc3\xa9", "caf\xc3\xa9"},
      {"caf\xe9", "caf\xc3\xa9"},
  };
  std::string text = Replace(Replace(TriangleModelText(), "NAME tri", "NAME " + names[0].first), " root", " " + names[1].first);
  text = Replace(text, " child", " " + names[2].first);
  const fmt_test::TTempDir dir;
  const std::string path = dir.Write("awkward.3do", text);
  TTestCore read;
  ASSERT_TRUE(read.Model().LoadFromFile(path));
  const TJson info = InfoOf(path);
  ExpectDescribes(info, read);
  EXPECT_EQ(info["nodes"].Items.at(0)["mesh"].Text, names[0].second);
  EXPECT_EQ(info["nodes"].Items.at(0)["name"].Text, names[1].second);
  EXPECT_EQ(info["nodes"].Items.at(1)["name"].Text, names[2].second);
  EXPECT_FALSE(info["materials"].Items.at(0)["found"].Flag);
}

}  // namespace
