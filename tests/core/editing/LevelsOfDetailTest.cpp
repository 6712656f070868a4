// Models with several geometry sets (levels of detail): read, written, edited and checked.

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

// Saved with the third set shown, read back with the first shown; zarn-cli edits and exports
// the set it is told.
TEST(LevelsOfDetail, FourSetsRoundTripThroughFilesAndZarnCliEditsTheChosenSetOnly) {
  fmt_test::TTempDir dir;
  const std::string in = dir.File("in.3do");
  TTestCore made;
  LoadFourSets(made);
  const auto shapes = SetShapes(made.Model());
  ASSERT_NE(shapes[0], shapes[3]);
  made.Model().ChooseGeoset(2);
  Save3DOFile(made.Model(), in);
  TTestCore read;
  ASSERT_TRUE(Load3DOFile(read.Model(), in));
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

  const TCliRun run =
      RunCli({"edit", in, dir.File("out.3do"), "lod:3", "mode:surface", "select:surface:0", "actEditDelete"});
  ASSERT_EQ(run.Status, 0) << run.Out;
  TTestCore edited;
  ASSERT_TRUE(Load3DOFile(edited.Model(), dir.File("out.3do")));
  std::vector<int> want = FacesPerSet(made.Model());
  --want[2];
  EXPECT_EQ(FacesPerSet(edited.Model()), want);
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

// Texts read into a model: whole, inserted or pasted into one with other sets (whose first node
// "old" has a mesh of one vertex, none in the sets after).
TEST(LevelsOfDetail, EverySetReadHoldsAMeshForTheSameNodes) {
  const struct {
    const char* Name;
    int FileSets, ModelSets, Shown;
    std::vector<std::vector<int>> Want;  // vertex counts of the meshes, per set
    const char* Output;                   // a line the user is told, or ""
  } cases[] = {
      {"Whole", 3, 0, 0, {{3, 4}, {2, 3}, {1, 2}}, ""},
      {"IntoAsMany", 3, 3, 1, {{1, 3, 4}, {0, 2, 3}, {0, 1, 2}}, ""},
      // A one-set text gives every set of the model its meshes.
      {"OneIntoThree", 1, 3, 2, {{1, 3, 4}, {0, 3, 4}, {0, 3, 4}}, ""},
      // Sets past the text's show the text's last one.
      {"TwoIntoFourShowingTheFourth", 2, 4, 3, {{1, 3, 4}, {0, 2, 3}, {0, 2, 3}, {0, 2, 3}}, ""},
      {"FourIntoTwo", 4, 2, 0, {{1, 3, 4}, {0, 2, 3}}, "the others were left out"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestCore source;
    Parse3DO(source.Model(), TriangleModelText());
    AddFace(*AddMeshNode(source.Model(), "quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})->Mesh, {0, 1, 2, 3});
    MakeLevelsOfDetail(source.Model(), c.FileSets);
    TTestCore t;
    if (c.ModelSets) {
      AddMeshNode(t.Model(), "old", {{0, 0, 0}});
      MakeLevelsOfDetail(t.Model(), c.ModelSets);
    }
    t.Model().ChooseGeoset(c.Shown);
    Parse3DO(t.Model(), SavedText(source.Model()));
    ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
    // The child without a mesh has none in any set: each set holds as many meshes.
    EXPECT_EQ(SetShapes(t.Model()), c.Want);
    EXPECT_TRUE(!*c.Output || Told(t, c.Output)) << c.Output;
  }
}

// Sets the text declares but lacks are left out and told; ten thousand empty sets would each get
// copies of every mesh, so only sixteen are read; a set with fewer meshes than a row names holds
// a copy of that node's mesh.
TEST(LevelsOfDetail, SetsTheTextDeclaresButLacksAreLeftOutAndTold) {
  std::string many;
  for (int set = 1; set < 10000; ++set) many += "GEOSET " + std::to_string(set) + "\r\nMESHES 0\r\n";
  const struct { const char* Count; std::string Sets; int Read; const char* Told; } rows[] = {
      {"3", "", 1, "but holds 1"},
      {"999999999", "", 1, "but holds 1"},
      {"10000", many, 16, "The model declares 10000 geometry sets; the first 16 were read"},
      {"2", "GEOSET 1\r\nMESHES 0\r\n\r\n", 2, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Count);
    TTestCore t;
    Parse3DO(t.Model(), Replace(Replace(TriangleModelText(), "GEOSETS 1", std::string("GEOSETS ") + row.Count),
                                "SECTION: HIERARCHYDEF", row.Sets + "SECTION: HIERARCHYDEF"));
    ASSERT_TRUE(t.Services.Errors.empty()) << t.Services.Errors[0];
    ASSERT_EQ(t.Model().GeosetCount(), row.Read);
    for (int set = 0; set < row.Read; ++set) {
      ASSERT_NE(t.Model().GeosetMesh(*t.Model().Nodes[0], set), nullptr) << set;
      EXPECT_EQ(t.Model().GeosetMesh(*t.Model().Nodes[0], set)->Name, "tri") << set;
    }
    EXPECT_TRUE(!*row.Told || Told(t, row.Told)) << row.Told;
  }
}

// The set commands and what each leaves: counts, shown set, and every set's shapes (History
// undoes each of them).
TEST(LevelsOfDetail, TheSetCommandsChangeTheSets) {
  const struct {
    const char* Name;
    int Shown;
    const char* Action;
    int Times;           // run so many times in a row
    const char* CopyTo;  // the copy dialog's answer
    int Sets, ShownAfter;
    std::vector<int> FirstMeshVertices;  // the first mesh's vertex count in each set after
    const char* Error;
  } cases[] = {
      {"Add", 1, "actViewLodAdd", 1, "", 4, 3, {4, 3, 2, 3}, ""},
      {"AddPastTheGamesLimit", 0, "actViewLodAdd", 2, "", 4, 3, {4, 3, 2, 4},
       "The game reads at most 4 levels of detail; this model has them all"},
      {"CopyTheThirdOverTheFirst", 2, "actViewLodCopy", 1, "1", 3, 2, {2, 3, 2}, ""},
      {"CopyOverItself", 0, "actViewLodCopy", 1, "1", 3, 0, {4, 3, 2},
       "Copy_To=1 names no other level of detail: 1 to 3, not 1"},
      {"DeleteTheFirst", 0, "actViewLodDelete", 1, "", 2, 0, {3, 2}, ""},
      {"DeleteTheMiddle", 1, "actViewLodDelete", 1, "", 2, 0, {4, 2}, ""},
      {"DeleteTheLast", 2, "actViewLodDelete", 1, "", 2, 1, {4, 3}, ""},
      {"DeleteAllButOne", 1, "actViewLodDelete", 3, "", 1, 0, {2}, "The last level of detail cannot be deleted"},
      // A command that gives a node a mesh in the shown set gives it one in every set.
      {"CubeInTheSecond", 1, "actPrimCube", 1, "", 3, 1, {4, 3, 2}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestCore t;
    AddFace(*AddMeshNode(t.Model(), "quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})->Mesh, {0, 1, 2, 3});
    MakeLevelsOfDetail(t.Model(), 3);
    ChooseLevelOfDetail(t.Core, c.Shown);
    t.Core.ResetHistory();
    t.Services.Answers = {{"Copy_To", c.CopyTo}};
    RunStep(t.Core, c.Name, [&] {
      TCommandResult last;
      for (int i = 0; i < c.Times; ++i) last = FindEditAction(c.Action)->Run(t.Core);
      return last;
    });
    EXPECT_EQ(t.Services.Errors.empty() ? "" : t.Services.Errors.back(), c.Error);
    EXPECT_EQ(t.Model().GeosetCount(), c.Sets);
    EXPECT_EQ(t.Model().CurrentGeoset(), c.ShownAfter);
    std::vector<int> first;
    for (const auto& set : SetShapes(t.Model())) first.push_back(set.at(0));
    EXPECT_EQ(first, c.FirstMeshVertices);
  }
}

TEST(LevelsOfDetail, ChoosingKeepsTheNodesAndDropsFacesAndVerticesOfTheHiddenSetAndEditsReachEverySet) {
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

  // Merge and delete work in every set.
  t.Core.Nodes.Clear();
  ChooseLevelOfDetail(t.Core, 1);
  const auto shapes = SetShapes(t.Model());
  const int nodes = t.Model().Nodes.Count();
  for (int i = 0; i < 3; ++i) t.Core.ToggleNode(t.Model().Nodes[i]);  // hull, canopy and engine_l, each with a mesh
  RunStep(t.Core, "Merge", [&] { return FindEditAction("actEditMerge")->Run(t.Core); });
  ASSERT_EQ(t.Model().Nodes.Count(), nodes - 2);
  const auto merged = SetShapes(t.Model());
  for (size_t set = 0; set < shapes.size(); ++set) {
    ASSERT_EQ(merged[set].size(), shapes[set].size() - 2);
    EXPECT_EQ(merged[set][0], shapes[set][0] + shapes[set][1] + shapes[set][2]) << set;
  }
  RunStep(t.Core, "Delete", [&] { return FindEditAction("actEditDelete")->Run(t.Core); });
  for (const auto& set : SetShapes(t.Model())) EXPECT_EQ(set.size(), shapes[0].size() - 3);

  // A material that only a hidden set uses: deleting it moves those faces too, so that no face
  // keeps a material that is gone, and the file still reads.
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

}  // namespace
