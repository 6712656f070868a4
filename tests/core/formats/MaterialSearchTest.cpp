#include <tuple>

#include "formats/FileIO.h"
#include "formats/PathMap.h"
#include "tests/core/TestCore.h"
#include "tests/core/FormatBytes.h"

using namespace fmt_test;

namespace {

std::string Red() { return MakeTextureMat(1, 1, 8, std::string(1, '\x06')); }
std::string Blue() { return MakeTextureMat(1, 1, 8, std::string(1, '\x1F')); }
std::string Green() { return MakeTextureMat(1, 1, 8, std::string(1, '\x01')); }

class MaterialSearch : public ::testing::Test, protected TTestCore {
 protected:
  TMaterial* Add(const std::string& name) { return Core.Model->Materials.FindOrAdd(name); }
  // The colour of the material's first pixel, 0 when it has none.
  static uint32_t Rgb(const TMaterial* m) {
    return m->Pixels.size() < 3 ? 0 : uint32_t(m->Pixels[0]) << 16 | m->Pixels[1] << 8 | m->Pixels[2];
  }
  TTempDir Dir;
};

TEST_F(MaterialSearch, ModelFolderComesBeforeItsMatFolderAndContainers) {
  Core.Model->FileName = Dir.File("models/ship.3do");
  Dir.Write("models/a.mat", Red());
  Dir.Write("models/Mat/a.mat", Blue());
  Dir.Write("models/Mat/b.mat", Blue());
  // Containers are searched in list order, past those that are missing or no containers;
  // of equal file names in one container the last in directory order wins.
  const std::string first = Dir.Write("res.gob", MakeGob({{"mat\\a.mat", Green()}, {"mat\\b.mat", Green()}, {"mat\\c.mat", Green()},
                                                          {"3do\\old\\C.MAT", Red()}}));
  const std::string second = Dir.Write("second.goo", MakeGob({{"mat\\c.mat", Red()}, {"mat\\y.mat", Blue()}}));
  Core.ResourceList = {Dir.File("missing.gob"), Dir.Write("notgob.gob", "plain text"), first, second};
  EXPECT_EQ((std::vector<uint32_t>{Rgb(Add("a.mat")), Rgb(Add("b.mat")), Rgb(Add("C.MAT")), Rgb(Add("y.mat"))}),
            (std::vector<uint32_t>{0xFF0000u, 0x0000FFu, 0x00FF00u, 0x0000FFu}));
  EXPECT_TRUE(Services.Output.empty());
  for (const TMaterial* m : Core.Model->Materials) EXPECT_TRUE(m->Loaded) << m->Name;
}

TEST_F(MaterialSearch, FoldersAndFileNamesMatchWithoutRegardToCase) {
  Core.Model->FileName = Dir.File("models/ship.3do");
  Dir.Write("models/mat/HULL.MAT", Red());
  Dir.Write("models/MAT/sub/Deep.Mat", Blue());
  Dir.Write("models/mat/rear.mat", Red());
  TMaterial* hull = Add("hull.mat");
  EXPECT_TRUE(hull->Loaded);
  EXPECT_EQ(Add("HULL.MAT"), hull);  // each material is read once, with its status text
  EXPECT_EQ(Services.Status, (std::vector<std::string>{"Loading Material (hull.mat)...", ""}));
  EXPECT_EQ(Rgb(Add("sub\\deep.mat")), 0x0000FFu);
  EXPECT_EQ(FindFileNoCase(Dir.File("MODELS\\Mat\\hull.mat")), Dir.File("models/mat/HULL.MAT"));
  // A folder is no material.
  for (const char* none : {"models/nothing/hull.mat", "models/mat"}) EXPECT_EQ(FindFileNoCase(Dir.File(none)), "");
  // A model path written with backslashes names a folder too.
  Core.Model->FileName = Dir.Path + "\\MODELS\\ship.3do";
  EXPECT_TRUE(Add("rear.mat")->Loaded);
}

TEST_F(MaterialSearch, DamagedContainersAndFilesAreReportedAndPassedOver) {
  std::string damaged = MakeGob({{"mat\\x.mat", Red()}});
  Set32(damaged, 12, 1000000);
  Core.ResourceList = {Dir.Write("bad.gob", damaged), Dir.Write("good.gob", MakeGob({{"mat\\x.mat", Blue()}}))};
  EXPECT_EQ(Rgb(Add("x.mat")), 0x0000FFu);
  ASSERT_EQ(Services.Output.size(), 1u);
  EXPECT_NE(Services.Output[0].find("bad.gob"), std::string::npos);
  // The damage is told once, not for every material; a material found nowhere is told and unloaded.
  const TMaterial* nowhere = Add("y.mat");
  EXPECT_EQ(Services.Output, (std::vector<std::string>{Services.Output[0], "Material not found 'y.mat'"}));
  EXPECT_EQ((std::tuple{nowhere->Loaded, nowhere->Width, nowhere->Pixels.size()}), (std::tuple{false, 1, size_t{0}}));
  Services.Output.clear();

  Core.Model->FileName = Dir.File("m.3do");
  Dir.Write("broken.mat", "MAT ");
  EXPECT_FALSE(Add("broken.mat")->Loaded);
  EXPECT_EQ(Services.Output.back().rfind("broken.mat: Damaged material file", 0), 0u);
}

TEST_F(MaterialSearch, ContainersChangedOnDiskAreReadAgain) {
  Core.ResourceList = {Dir.Write("res.gob", MakeGob({{"mat\\a.mat", Red()}}))};
  EXPECT_EQ(Rgb(Add("a.mat")), 0xFF0000u);
  Dir.Write("res.gob", MakeGob({{"mat\\a.mat", Blue()}, {"mat\\b.mat", Blue()}}));
  EXPECT_TRUE(Add("b.mat")->Loaded);
  Core.Model->Clear();
  EXPECT_EQ(Rgb(Add("a.mat")), 0x0000FFu);
}

TEST_F(MaterialSearch, ModelWithoutFileNameSearchesRelativeToTheWorkingFolder) {
  Dir.Write("rel.mat", Red());
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(Dir.Path.c_str()), 0);
  TMaterial* m = Add("rel.mat");
  ASSERT_EQ(::chdir(previous), 0);
  EXPECT_TRUE(m->Loaded);
}

TEST_F(MaterialSearch, ModelFromAContainerFindsItsOwnMaterialsThereFirst) {
  const std::string model = ReadWholeFile(std::string(ZARN_SAMPLES_DIR) + "/fighter.3do");
  const std::string own = Dir.Write("own.gob", MakeGob({{"3do\\fighter.3do", model}, {"mat\\hull.mat", Red()}}));
  Core.ResourceList = {Dir.Write("listed.gob", MakeGob({{"mat\\hull.mat", Blue()}, {"mat\\glass.mat", Blue()}}))};
  Load3DOEntry(*Core.Model, FoundEntry(own, "fighter.3do"));
  ASSERT_TRUE(Services.Errors.empty());
  EXPECT_EQ((std::tuple{Rgb(Core.Model->Materials.Find("hull.mat")), Rgb(Core.Model->Materials.Find("glass.mat"))}),
            (std::tuple{0xFF0000u, 0x0000FFu}));
  EXPECT_FALSE(Core.Model->Materials.Find("engine.mat")->Loaded);
  EXPECT_EQ(Core.ResourceList.size(), 1u);
}

}  // namespace
