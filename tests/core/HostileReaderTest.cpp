// Damaged and hostile 3DO text: every case must end in a reported error or a partial model,
// never in a crash, a hang or an allocation the file does not pay for.
#include <gtest/gtest.h>

#include <random>

#include "TestCore.h"
#include "formats/FileIO.h"

namespace {

std::string Sample() { return ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do"); }

TEST(HostileReader, EveryTruncationOfTheSampleIsSurvived) {
  const std::string text = Sample();
  for (size_t cut = 0; cut < text.size(); cut += 13) {
    TTestCore t;
    t.Model().Parse3DO(std::string_view(text).substr(0, cut));
    // Either the whole hierarchy was reached or the error was shown.
    if (t.Services.Errors.empty()) continue;
    EXPECT_EQ(t.Services.Errors[0].rfind("Error parsing 3DO.", 0), 0u);
  }
}

TEST(HostileReader, HugeCountsFailAtTheEndOfTheText) {
  const std::string text = TriangleModelText();
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"VERTICES 3", "VERTICES 2000000000"},
           {"TEXTURE VERTICES 3", "TEXTURE VERTICES 2000000000"},
           {"FACES 1", "FACES 2147483647"},
           {"MESHES 1", "MESHES 2000000000"},
           {"MATERIALS 2", "MATERIALS 2000000000"},
           {"HIERARCHY NODES 2", "HIERARCHY NODES 2000000000"},
           {"0.5 3 0, 0", "0.5 2000000000 0, 0"}}) {
    std::string hostile = text;
    hostile.replace(hostile.find(from), from.size(), to);
    TTestCore t;
    t.Model().Parse3DO(hostile);
    EXPECT_EQ(t.Services.Errors.size(), 1u) << to;
  }
}

TEST(HostileReader, OutOfRangeIndicesAreParseErrors) {
  const std::string text = TriangleModelText();
  for (const auto& [from, to, message] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"1, 1 2, 2", "1, 1 9, 2", "Vertex Index is out of bounds: 9"},
           {"1, 1 2, 2", "1, 1 -1, 2", "Vertex Index is out of bounds: -1"},
           {"1, 1 2, 2", "1, 1 2, 3", "Texture Vertex Index is out of bounds: 3"},
           {"0:  1 0x4", "0:  7 0x4", "List index out of bounds (7)"},
           {"0x10 0 -1", "0x10 4 -1", "List index out of bounds (4)"},
           {"0x1 -1 0", "0x1 -1 5", "Node Index is out of bounds: 5"},
           {"0x10 0 -1 1", "0x10 0 -1 -7", "Node Index is out of bounds: -7"}}) {
    std::string hostile = text;
    hostile.replace(hostile.find(from), from.size(), to);
    TTestCore t;
    t.Model().Parse3DO(hostile);
    ASSERT_EQ(t.Services.Errors.size(), 1u) << to;
    EXPECT_NE(t.Services.Errors[0].find(message), std::string::npos) << t.Services.Errors[0];
  }
}

TEST(HostileReader, FacesBeyondTheRowCapacityAreRejected) {
  std::string face = "0:  0 0x4 4 3 1 0 30";
  for (int i = 0; i < 30; ++i) face += " 0, 0";
  std::string text = TriangleModelText();
  const std::string from = "0:  1 0x4 4 3 1 0.5 3 0, 0 1, 1 2, 2";
  text.replace(text.find(from), from.size(), face);
  TTestCore t;
  t.Model().Parse3DO(text);
  ASSERT_EQ(t.Services.Errors.size(), 1u);
  EXPECT_NE(t.Services.Errors[0].find("'' is not a valid integer value"), std::string::npos);
}

TEST(HostileReader, NulEndsTheTextAndLongFieldsAreCut) {
  std::string text = TriangleModelText();
  TTestCore t;
  t.Model().Parse3DO(text.substr(0, text.find("HIERARCHY NODES")) + std::string(1, '\0') +
                     text.substr(text.find("HIERARCHY NODES")));
  EXPECT_EQ(t.Services.Errors.size(), 1u);
  EXPECT_EQ(t.Model().Nodes.Count(), 0);

  const std::string longName(100000, 'n');
  text.replace(text.find("NAME tri"), 8, "NAME " + longName);
  TTestCore u;
  u.Model().Parse3DO(text);
  ASSERT_TRUE(u.Services.Errors.empty());
  EXPECT_EQ(u.Model().Nodes[0]->Mesh->Name.size(), 255u);
}

TEST(HostileReader, RandomBytesAndMutationsNeverCrash) {
  std::mt19937 random(1234);
  const std::string base = TriangleModelText();
  for (int round = 0; round < 400; ++round) {
    std::string text = base;
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % text.size();
      switch (random() % 3) {
        case 0: text[at] = static_cast<char>(random() % 256); break;
        case 1: text.erase(at, random() % 16); break;
        default: text.insert(at, 1 + random() % 4, "0123456789:-x ,#\r\n"[random() % 17]); break;
      }
      if (text.empty()) text.push_back('x');
    }
    TTestCore t;
    t.Model().Parse3DO(text);
    t.Model().Update();
    std::string out;
    t.Model().Write3DO(out, t.Model().Nodes.Pointers());
  }
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = static_cast<char>(random() % 256);
  TTestCore t;
  t.Model().Parse3DO(garbage);
  SUCCEED();
}

}  // namespace
