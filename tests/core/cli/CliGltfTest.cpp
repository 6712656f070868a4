#include <filesystem>
#include <tuple>

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/GltfFiles.h"

using namespace fmt_test;

namespace {

// zarn-cli export to glTF with its animations; options only OBJ takes, or an animation that
// does not read, write nothing.
TEST(CliGltf, ExportsTheModelWithEveryKeyGiven) {
  const TTempDir dir;
  const std::string model = ZARN_SAMPLES_DIR "/fighter.3do", bank = ZARN_SAMPLES_DIR "/fighter-bank.key";
  const std::string broken = dir.Write("broken.key", "SECTION: HEADER\nFLAGS 0\nTYPE 0\nFRAMES 4\nFPS 0\n");
  const std::string out = dir.File("out.glb");
  const std::vector<std::tuple<std::vector<std::string>, int, std::string>> rows = {
      {{"export", "--key", bank, "--frame", "3", model, out}, 2,
       "zarn-cli: --frame poses an .obj export; a glTF file holds every frame of its animations\n"},
      {{"export", "--up", "y", model, dir.File("out.gltf")}, 2,
       "zarn-cli: --up is for an .obj export; a glTF file is always Y-up\n"},
      {{"export", "--key", broken, model, out}, 1,
       "zarn-cli: broken.key, line 5: FPS must be more than 0\n"},
      {{"export", "--key", bank, model, out, "--key", dir.Write("b/roll.key", ReadWholeFile(bank))}, 0, ""},
  };
  for (const auto& [args, status, error] : rows) {
    SCOPED_TRACE(args[2]);
    std::filesystem::remove(out);
    const TCliRun run = RunCliApart(args);
    EXPECT_EQ((std::tuple{run.Status, run.Err}), (std::tuple{status, error}));
    EXPECT_EQ(std::filesystem::exists(out), status == 0);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.gltf")));
  // The last run's file, with both animations under their names.
  EXPECT_EQ(gltf_test::Validate(out), 0);
  const tinygltf::Model gltf = gltf_test::Read(out);
  ASSERT_EQ(gltf.animations.size(), 2u);
  EXPECT_EQ((std::pair{gltf.animations[0].name, gltf.animations[1].name}), (std::pair{std::string("fighter-bank"), std::string("roll")}));
}

}  // namespace
