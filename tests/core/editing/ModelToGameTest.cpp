// The window's File > New Material... and File > Save to Container..., run headless with the
// answers a user would give: a material made of a picture, the model and its materials packed
// into a new container or one that already holds other entries.

#include "editing/Actions.h"
#include "editing/FileCommands.h"
#include "editing/NewMaterial.h"
#include "editing/SaveToContainer.h"
#include "editing/Step.h"
#include "formats/FileIO.h"
#include "formats/Mat.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/PictureFiles.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

std::vector<std::string> EntryNames(const std::string& path) {
  TGob gob;
  EXPECT_TRUE(gob.LoadFromFile(path));
  std::vector<std::string> names;
  for (int i = 0; i < gob.Count(); ++i) names.push_back(gob.Entry(i).Name);
  return names;
}

TEST(NewMaterial, APictureBecomesAMaterialWithTheAnswersGiven) {
  const TTempDir dir;
  const std::string png = dir.File("p.png");
  ASSERT_TRUE(WriteRgbaPng(png, MakePicture(16, 16, [](int x, int) {
                             return std::array<uint8_t, 4>{255, 0, 0, static_cast<uint8_t>(x < 8 ? 0 : 255)};
                           })));
  const struct {
    std::map<std::string, std::string> Answers;
    std::string Error;  // empty: written
    int BitDepth;       // of the material written
  } rows[] = {
      {{}, "", 8},
      {{{"Depth", "16"}, {"Transparent", "1"}, {"Mipmaps", "2"}}, "", 16},
      {{{"Depth", "12"}}, "Depth 12; a material has 8 or 16 bits", 0},
      {{{"Dither", "yes"}}, "Dither=yes is not 0 or 1", 0},
      {{{"Mipmaps", "x"}}, "'x' is not a valid integer value", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.BitDepth);
    TTestCore core;
    std::filesystem::remove(dir.File("p.mat"));
    core.Services.Answers = row.Answers;
    core.Services.FileNames = {png, dir.File("p.mat")};
    actFileNewMaterial(core.Core);
    EXPECT_EQ(core.Services.Errors, row.Error.empty() ? std::vector<std::string>{} : std::vector{row.Error});
    EXPECT_EQ(std::filesystem::exists(dir.File("p.mat")), row.Error.empty());
    if (!row.Error.empty()) continue;
    TMaterial m(&core.Model().Materials, "p.mat");
    EXPECT_EQ(ReadMat(m, dir.File("p.mat"), 0, UINT64_MAX), "");
    EXPECT_EQ(m.BitDepth, row.BitDepth);
    EXPECT_EQ(m.Width, 16);
  }
}

TEST(SaveToContainer, TheModelAndItsMaterialsGoIntoANewOrAnExistingContainerAsASave) {
  const TTempDir dir;
  const std::string mat = MakeColourMat(1);
  dir.Write("stone.mat", mat);
  dir.Write("Mat/metal.mat", mat);
  TTestCore core;
  ASSERT_TRUE(Load3DOFile(core.Model(), dir.Write("tri.3do", TriangleModelText())));
  const std::string gob = dir.File("out.gob");
  EXPECT_EQ(SaveToContainer(core.Core, gob), "");
  EXPECT_EQ(EntryNames(gob), (std::vector<std::string>{"3do\\tri.3do", "mat\\metal.mat", "mat\\stone.mat"}));
  TGob read;
  ASSERT_TRUE(read.LoadFromFile(gob));
  TGobItem item;
  ASSERT_TRUE(FindContainerModel(read, "tri.3do", item));
  const std::string stored = EntryBytes(item);
  EXPECT_EQ(stored.substr(stored.find('\n')), SavedText(core.Model())) << "the model as Save writes it";

  // Into a container with entries of its own, which stay as they were.
  const std::string other = dir.Write("res.gob", MakeGob({{"3do\\TRI.3DO", "old"}, {"misc\\x.txt", "kept"}}));
  core.Services.FileNames = {other};
  actFileSaveToContainer(core.Core);
  EXPECT_EQ(core.Services.Errors, std::vector<std::string>{});
  EXPECT_EQ(EntryNames(other), (std::vector<std::string>{"3do\\TRI.3DO", "mat\\metal.mat", "mat\\stone.mat", "misc\\x.txt"}));

  // What does not read stays as it was.
  const std::string text = dir.Write("text.gob", "plain text");
  EXPECT_EQ(SaveToContainer(core.Core, text), "'" + text + "' is no container; it was left as it was");
  EXPECT_EQ(ReadWholeFile(text), "plain text");

  // A save, as the menu runs it: no step of the history, and the modified mark cleared.
  dir.Write("dflt.mat", mat);
  RunStep(core.Core, "Cube", [&] { return FindEditAction("actPrimCube")->Run(core.Core); });
  ASSERT_TRUE(core.Core.History.Modified());
  core.Services.FileNames = {dir.File("cube.gob")};
  EXPECT_TRUE(RunStep(core.Core, "Save to Container", [&] {
                return FindEditAction("actFileSaveToContainer")->Run(core.Core);
              }).Succeeded());
  EXPECT_EQ(core.Core.History.Count(), 1u);
  EXPECT_EQ(core.Core.History.UndoCaption(), "Cube");
  EXPECT_FALSE(core.Core.History.Modified());
  EXPECT_EQ(EntryNames(dir.File("cube.gob")),
            (std::vector<std::string>{"3do\\tri.3do", "mat\\dflt.mat", "mat\\metal.mat", "mat\\stone.mat"}));
}

}  // namespace
