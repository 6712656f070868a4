// zarn-cli edit, run as a modder would run it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/Core.h"
#include "model/HeadlessServices.h"

namespace {

namespace fs = std::filesystem;

class EditCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zarn-edit-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    out = (dir / "out.3do").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  int Run(const std::string& steps) {
    const std::string command = std::string("'") + ZARN_CLI_PATH + "' edit '" + ZARN_SAMPLES_DIR +
                                "/fighter.3do' '" + out + "' " + steps + " 2>'" + (dir / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Reads a written model into a fresh core.
  struct TLoaded {
    THeadlessServices Services;
    TCore Core{Services};
  };
  std::unique_ptr<TLoaded> Load(const std::string& path) {
    auto loaded = std::make_unique<TLoaded>();
    loaded->Core.Model->LoadFromFile(path);
    EXPECT_TRUE(loaded->Services.Errors.empty());
    return loaded;
  }

  fs::path dir;
  std::string out;
};

TEST_F(EditCli, ExtrudesSelectedSurfacesAndSaves) {
  auto before = Load(ZARN_SAMPLES_DIR "/fighter.3do");
  const int faces = before->Core.Model->Nodes[0]->Mesh ? before->Core.Model->Nodes[0]->Mesh->Surfaces.Count() : -1;
  ASSERT_EQ(Run("mode:surface select:surface:0 actEditExtrudeFace actEditTranslate Z=0.01"), 0);
  auto after = Load(out);
  TNode* first = after->Core.Model->Nodes[0];
  ASSERT_NE(first->Mesh, nullptr);
  const int sides = before->Core.Model->Nodes[0]->Mesh->Surfaces[0]->Vertices.Count();
  EXPECT_EQ(first->Mesh->Surfaces.Count(), faces + sides);
}

TEST_F(EditCli, PrimitivesTakeNamedValues) {
  ASSERT_EQ(Run("actPrimCylind Sides=6 Radius=0.5 actPrimDummy"), 0);
  auto after = Load(out);
  TModel& model = *after->Core.Model;
  TNode* cylinder = model.Nodes[model.Nodes.Count() - 2];
  EXPECT_EQ(cylinder->Name, "Cylinder");
  EXPECT_EQ(cylinder->Mesh->Vertices.Count(), 12);
  EXPECT_EQ(model.Nodes.Last()->Name, "$$dummy");
}

TEST_F(EditCli, CopyAndPasteThroughAClipboardFile) {
  const std::string clip = (dir / "clip.txt").string();
  ASSERT_EQ(Run("select:all copy:'" + clip + "' actEditDelete paste:'" + clip + "' paste:'" + clip + "'"), 0);
  auto before = Load(ZARN_SAMPLES_DIR "/fighter.3do");
  auto after = Load(out);
  EXPECT_EQ(after->Core.Model->Nodes.Count(), 2 * before->Core.Model->Nodes.Count());
}

TEST_F(EditCli, VerticesAreSelectedInTheOrderTyped) {
  ASSERT_EQ(Run("mode:vertex select:vertex:2,0-1 actEditMakeSurface"), 0);
  auto before = Load(ZARN_SAMPLES_DIR "/fighter.3do");
  auto after = Load(out);
  TMesh& source = *before->Core.Model->Nodes[0]->Mesh;
  TMesh& made = *after->Core.Model->Nodes.Last()->Mesh;
  ASSERT_EQ(made.Surfaces.Count(), 1);
  ASSERT_EQ(made.Vertices.Count(), 3);
  EXPECT_NEAR(made.Vertices[0]->Position.X, source.Vertices[2]->World.X, 1e-6);
  EXPECT_NEAR(made.Vertices[1]->Position.X, source.Vertices[0]->World.X, 1e-6);
}

TEST_F(EditCli, RefusalsAndBadInputFailWithoutWriting) {
  EXPECT_EQ(Run("actEditExtrudeFace"), 1);
  EXPECT_EQ(Run("mode:vertex select:vertex:0 actEditSplitFace"), 1);
  EXPECT_EQ(Run("actPrimCube Size=abc"), 1);
  EXPECT_EQ(Run("actPrimCube Sise=1"), 1);
  EXPECT_EQ(Run("actNoSuchThing"), 1);
  EXPECT_EQ(Run("select:vertex:999999"), 1);
  EXPECT_EQ(Run("mode:vertex select:vertex:0-2000000000"), 1);
  EXPECT_EQ(Run("select:surface:3-1"), 1);
  EXPECT_EQ(Run("select:node:nobody"), 1);
  EXPECT_EQ(Run("mode:sideways"), 1);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(Run(""), 0);
  EXPECT_TRUE(fs::exists(out));
}

}  // namespace
