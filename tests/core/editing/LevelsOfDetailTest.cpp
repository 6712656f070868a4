// Models with several geometry sets (levels of detail): read, written, edited and checked.

#include <functional>

#include "editing/Actions.h"
#include "editing/GameCheck.h"
#include "editing/LevelsOfDetail.h"
#include "editing/MaterialEdits.h"
#include "editing/Step.h"
#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/LevelsOfDetailModel.h"
#include "tests/core/TestCore.h"

namespace {

// Whether a line the user was told holds `part`.
bool Told(const TTestCore& t, const std::string& part) {
  return std::any_of(t.Services.Output.begin(), t.Services.Output.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// The sample with four sets, as the game's characters have them.
void LoadFourSets(TTestCore& t) {
  ASSERT_TRUE(Load3DOFile(t.Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
  MakeLevelsOfDetail(t.Model(), 4);
}

// Saved with the third set shown, read back with the first shown.
TEST(LevelsOfDetail, FourSetsRoundTripThroughFiles) {
  TTestCore made;
  LoadFourSets(made);
  const auto shapes = SetShapes(made.Model());
  ASSERT_NE(shapes[0], shapes[3]);
  made.Model().ChooseGeoset(2);
  fmt_test::TTempDir dir;
  Save3DOFile(made.Model(), dir.File("four.3do"));
  TTestCore read;
  ASSERT_TRUE(Load3DOFile(read.Model(), dir.File("four.3do")));
  EXPECT_EQ(read.Model().CurrentGeoset(), 0);
  EXPECT_EQ(SetShapes(read.Model()), shapes);
  // The first save rounds to six decimals; from the second on the text stays the same to the
  // byte, whichever set is shown.
  const auto undated = [&](const char* name) {
    const std::string text = ReadWholeFile(dir.File(name));
    return text.substr(text.find('\n'));
  };
  Save3DOFile(read.Model(), dir.File("again.3do"));
  TTestCore again;
  ASSERT_TRUE(Load3DOFile(again.Model(), dir.File("again.3do")));
  again.Model().ChooseGeoset(2);
  Save3DOFile(again.Model(), dir.File("third.3do"));
  EXPECT_EQ(undated("third.3do"), undated("again.3do"));
}

// Texts read into a model: whole, inserted or pasted into one with other sets.
struct TReadCase {
  const char* Name;
  int FileSets, ModelSets, Shown;
  std::vector<std::vector<int>> Want;  // vertex counts of the read nodes' meshes, per set
  const char* Output;                   // a line the user is told, or ""
};

class LevelsOfDetailRead : public ::testing::TestWithParam<TReadCase> {};

TEST_P(LevelsOfDetailRead, EverySetHoldsAMeshForTheSameNodes) {
  const TReadCase& c = GetParam();
  TTestCore source;
  Parse3DO(source.Model(), TriangleModelText());
  AddFace(*AddMeshNode(source.Model(), "quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})->Mesh, {0, 1, 2, 3});
  MakeLevelsOfDetail(source.Model(), c.FileSets);
  const std::string text = SavedText(source.Model());

  TTestCore t;
  int first = 0;
  if (c.ModelSets) {
    AddMeshNode(t.Model(), "old", {{0, 0, 0}});
    MakeLevelsOfDetail(t.Model(), c.ModelSets);
    first = 1;
  }
  t.Model().ChooseGeoset(c.Shown);
  Parse3DO(t.Model(), text);
  ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
  ASSERT_EQ(t.Model().GeosetCount(), std::max(c.ModelSets, c.FileSets * !c.ModelSets));
  std::vector<std::vector<int>> got(static_cast<size_t>(t.Model().GeosetCount()));
  for (int set = 0; set < t.Model().GeosetCount(); ++set)
    for (int i = first; i < t.Model().Nodes.Count(); ++i) {
      const TMesh* mesh = t.Model().GeosetMesh(*t.Model().Nodes[i], set);
      ASSERT_EQ(mesh == nullptr, t.Model().Nodes[i]->Mesh == nullptr) << i << " in set " << set;
      if (mesh) got[static_cast<size_t>(set)].push_back(mesh->Vertices.Count());
    }
  EXPECT_EQ(got, c.Want);
  EXPECT_EQ(*c.Output && Told(t, c.Output), *c.Output != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelsOfDetailRead,
    ::testing::Values(TReadCase{"Whole", 3, 0, 0, {{3, 4}, {2, 3}, {1, 2}}, ""},
                      TReadCase{"IntoAsMany", 3, 3, 1, {{3, 4}, {2, 3}, {1, 2}}, ""},
                      // A one-set text gives every set of the model its meshes.
                      TReadCase{"OneIntoThree", 1, 3, 2, {{3, 4}, {3, 4}, {3, 4}}, ""},
                      // Sets past the text's show the text's last one.
                      TReadCase{"TwoIntoFourShowingTheFourth", 2, 4, 3, {{3, 4}, {2, 3}, {2, 3}, {2, 3}}, ""},
                      TReadCase{"FourIntoTwo", 4, 2, 0, {{3, 4}, {2, 3}}, "the others were left out"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LevelsOfDetail, SetsTheTextDeclaresButLacksAreLeftOutAndTold) {
  for (const char* count : {"3", "999999999"}) {
    std::string text = Replace(TriangleModelText(), "GEOSETS 1", std::string("GEOSETS ") + count);
    TTestCore t;
    Parse3DO(t.Model(), text);
    ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
    EXPECT_EQ(t.Model().GeosetCount(), 1);
    EXPECT_EQ(t.Model().Nodes[0]->Mesh->Name, "tri");
    EXPECT_TRUE(Told(t, "but holds 1"));
  }
  // Ten thousand empty sets would each get copies of every mesh: only sixteen are read.
  std::string many;
  for (int set = 1; set < 10000; ++set) many += "GEOSET " + std::to_string(set) + "\r\nMESHES 0\r\n";
  TTestCore m;
  Parse3DO(m.Model(), Replace(Replace(TriangleModelText(), "GEOSETS 1", "GEOSETS 10000"), "SECTION: HIERARCHYDEF",
                             many + "SECTION: HIERARCHYDEF"));
  ASSERT_TRUE(m.Services.Errors.empty()) << m.Services.Errors[0];
  EXPECT_EQ(m.Model().GeosetCount(), 16);
  EXPECT_TRUE(Told(m, "The model declares 10000 geometry sets; the first 16 were read"));
  // A second set with fewer meshes than a row names: that node's mesh there is a copy.
  std::string text = Replace(TriangleModelText(), "GEOSETS 1", "GEOSETS 2");
  text = Replace(text, "SECTION: HIERARCHYDEF", "GEOSET 1\r\nMESHES 0\r\n\r\nSECTION: HIERARCHYDEF");
  TTestCore t;
  Parse3DO(t.Model(), text);
  ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
  ASSERT_EQ(t.Model().GeosetCount(), 2);
  ASSERT_NE(t.Model().GeosetMesh(*t.Model().Nodes[0], 1), nullptr);
  EXPECT_EQ(t.Model().GeosetMesh(*t.Model().Nodes[0], 1)->Name, "tri");
}

// The set commands and what each leaves: counts, shown set, and every set's shapes (History
// undoes each of them).
struct TSetCommand {
  const char* Name;
  int Shown;
  std::function<TCommandResult(TCore&)> Run;
  int Sets, ShownAfter;
  std::vector<int> FirstMeshVertices;  // the first mesh's vertex count in each set after
  const char* Error;
};

class LevelsOfDetailCommand : public ::testing::TestWithParam<TSetCommand> {};

TEST_P(LevelsOfDetailCommand, ChangesTheSets) {
  const TSetCommand& c = GetParam();
  TTestCore t;
  AddFace(*AddMeshNode(t.Model(), "quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})->Mesh, {0, 1, 2, 3});
  MakeLevelsOfDetail(t.Model(), 3);
  ChooseLevelOfDetail(t.Core, c.Shown);
  t.Core.ResetHistory();
  RunStep(t.Core, c.Name, [&] { return c.Run(t.Core); });
  EXPECT_EQ(t.Services.Errors.empty() ? "" : t.Services.Errors.back(), c.Error);
  EXPECT_EQ(t.Model().GeosetCount(), c.Sets);
  EXPECT_EQ(t.Model().CurrentGeoset(), c.ShownAfter);
  std::vector<int> first;
  for (const auto& set : SetShapes(t.Model())) first.push_back(set.at(0));
  EXPECT_EQ(first, c.FirstMeshVertices);
}

// The action run `times` times in a row, with the copy dialog answered `copyTo`.
const auto kAction = [](const char* name, int times = 1, const char* copyTo = "") {
  return [=](TCore& core) {
    static_cast<THeadlessServices&>(core.Services).Answers = {{"Copy_To", copyTo}};
    TCommandResult last;
    for (int i = 0; i < times; ++i) last = FindEditAction(name)->Run(core);
    return last;
  };
};

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelsOfDetailCommand,
    ::testing::Values(
        TSetCommand{"Add", 1, kAction("actViewLodAdd"), 4, 3, {4, 3, 2, 3}, ""},
        TSetCommand{"AddPastTheGamesLimit", 0, kAction("actViewLodAdd", 2), 4, 3, {4, 3, 2, 4},
                    "The game reads at most 4 levels of detail; this model has them all"},
        TSetCommand{"CopyTheThirdOverTheFirst", 2, kAction("actViewLodCopy", 1, "1"), 3, 2, {2, 3, 2}, ""},
        TSetCommand{"CopyOverItself", 0, kAction("actViewLodCopy", 1, "1"), 3, 0, {4, 3, 2},
                    "Copy_To=1 names no other level of detail: 1 to 3, not 1"},
        TSetCommand{"DeleteTheFirst", 0, kAction("actViewLodDelete"), 2, 0, {3, 2}, ""},
        TSetCommand{"DeleteTheMiddle", 1, kAction("actViewLodDelete"), 2, 0, {4, 2}, ""},
        TSetCommand{"DeleteTheLast", 2, kAction("actViewLodDelete"), 2, 1, {4, 3}, ""},
        TSetCommand{"DeleteAllButOne", 1, kAction("actViewLodDelete", 3), 1, 0, {2},
                    "The last level of detail cannot be deleted"},
        // A command that gives a node a mesh in the shown set gives it one in every set.
        TSetCommand{"CubeInTheSecond", 1, kAction("actPrimCube"), 3, 1, {4, 3, 2}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LevelsOfDetail, ChoosingKeepsTheNodesAndDropsFacesAndVerticesOfTheHiddenSet) {
  TTestCore t;
  LoadFourSets(t);
  TNode* node = t.Model().Nodes[1];
  t.Core.ToggleNode(node);
  t.Core.ToggleSurface(node->Mesh->Surfaces[0]);
  t.Core.ToggleVertex(node->Mesh->Vertices[0]);
  const std::string before = SavedText(t.Model());
  ChooseLevelOfDetail(t.Core, 2);
  EXPECT_EQ(t.Core.Nodes.Count(), 1);
  EXPECT_EQ(t.Core.Surfaces.Count() + t.Core.Vertices.Count(), 0);
  EXPECT_EQ(node->Mesh.get(), t.Model().GeosetMesh(*node, 2));
  EXPECT_EQ(SavedText(t.Model()), before);  // the file is the same whichever set is shown
  EXPECT_EQ(t.Services.Status.back(), "LOD 3 of 4");
}

TEST(LevelsOfDetail, MergeAndDeleteWorkInEverySet) {
  TTestCore t;
  LoadFourSets(t);
  ChooseLevelOfDetail(t.Core, 1);
  const auto shapes = SetShapes(t.Model());
  const int nodes = t.Model().Nodes.Count();
  std::vector<TNode*> meshNodes;
  for (TNode* n : t.Model().Nodes)
    if (n->Mesh) meshNodes.push_back(n);
  ASSERT_GE(meshNodes.size(), 3u);
  for (TNode* n : {meshNodes[0], meshNodes[1], meshNodes[2]}) t.Core.ToggleNode(n);
  RunStep(t.Core, "Merge", [&] { return FindEditAction("actEditMerge")->Run(t.Core); });
  ASSERT_EQ(t.Model().Nodes.Count(), nodes - 2);
  const auto merged = SetShapes(t.Model());
  for (size_t set = 0; set < shapes.size(); ++set) {
    ASSERT_EQ(merged[set].size(), shapes[set].size() - 2);
    EXPECT_EQ(merged[set][0], shapes[set][0] + shapes[set][1] + shapes[set][2]) << set;
  }
  RunStep(t.Core, "Delete", [&] { return FindEditAction("actEditDelete")->Run(t.Core); });
  for (const auto& set : SetShapes(t.Model())) EXPECT_EQ(set.size(), shapes[0].size() - 3);
}

// A material that only a hidden set uses: deleting it moves those faces too, so that no face
// keeps a material that is gone, and the file still reads.
TEST(LevelsOfDetail, DeletingAMaterialReachesTheHiddenSets) {
  TTestCore t;
  LoadFourSets(t);
  TMaterial* hidden = t.Model().Materials.FindOrAdd("hidden.mat");
  for (TFace* f : t.Model().GeosetMesh(*t.Model().Nodes[1], 3)->Surfaces) f->Material = hidden;
  DeleteProjectMaterial(t.Core, hidden);
  const std::string text = SavedText(t.Model());
  EXPECT_EQ(text.find("hidden.mat"), std::string::npos);
  TTestCore read;
  Parse3DO(read.Model(), text);
  EXPECT_TRUE(read.Services.Errors.empty());
  EXPECT_EQ(read.Model().GeosetMesh(*read.Model().Nodes[1], 3)->Surfaces[0]->Material->Name, "dflt.mat");
}

TEST(LevelsOfDetail, TheCheckNamesEverySetAndTheGamesLimit) {
  TTestCore t;
  AddFace(*AddMeshNode(t.Model(), "quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})->Mesh, {0, 1, 2, 3});
  MakeLevelsOfDetail(t.Model(), 4);
  EXPECT_TRUE(CheckForGame(t.Model(), nullptr).empty());
  TMesh* third = t.Model().GeosetMesh(*t.Model().Nodes[0], 2);  // the third, "level of detail 3"
  while (third->Vertices.Count() <= 512) third->AddVertex();
  t.Model().AddGeoset();  // past the game's limit, as a file may hold
  EXPECT_EQ(CheckForGame(t.Model(), nullptr),
            (std::vector<std::string>{"The model: 5 levels of detail, the game loads at most 4",
                                      "Mesh 'Mesh' (node 0), level of detail 3: 513 vertices, the game loads at most 512"}));
}

TEST(LevelsOfDetail, ZarnCliEditsTheChosenSetOnly) {
  fmt_test::TTempDir dir;
  const std::string in = dir.File("in.3do"), out = dir.File("out.3do");
  TTestCore made;
  LoadFourSets(made);
  Save3DOFile(made.Model(), in);
  const TCliRun run = RunCli({"edit", in, out, "lod:3", "mode:surface", "select:surface:0", "actEditDelete"});
  ASSERT_EQ(run.Status, 0) << run.Out;
  TTestCore read;
  ASSERT_TRUE(Load3DOFile(read.Model(), out));
  std::vector<int> want = FacesPerSet(made.Model());
  --want[2];
  EXPECT_EQ(FacesPerSet(read.Model()), want);
  // Export writes the set asked for: the fourth has fewer vertices than the first.
  const auto positions = [&](const char* lod) {
    EXPECT_EQ(RunCli({"export", "--lod", lod, in, dir.File("out.obj")}).Status, 0);
    std::istringstream text(ReadWholeFile(dir.File("out.obj")));
    int count = 0;
    for (std::string line; std::getline(text, line);) count += line.rfind("v ", 0) == 0;
    return count;
  };
  EXPECT_LT(positions("4"), positions("1"));
}

}  // namespace
