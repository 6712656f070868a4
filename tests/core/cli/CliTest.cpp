#include <gtest/gtest.h>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"

namespace {

// One line names the file, the line where the reader stopped and what it expected there.
TEST(Cli, AFileThatDoesNotReadIsToldWithTheLineAndWhatWasExpected) {
  const fmt_test::TTempDir dir;
  const struct { const char* Text; const char* Says; } files[] = {
      {"x\nMODELRESOURCE\nMATERIALS many\n", "line 3: expected \"MATERIALS n\", found \"MATERIALS many\""},
      // A puppet under a model's name.
      {"# puppet\nmodes 1\njoints\n0 hip\n", "line 4: expected \"MATERIALS n\", found the end of the text"},
      {"x\nMODELRESOURCE\nMATERIALS 0\nGEOMETRYDEF\nRADIUS 1\nINSERT OFFSET 0 0\n",
       "line 6: expected \"INSERT OFFSET x y z\", found \"INSERT OFFSET 0 0\""},
  };
  for (const auto& file : files) {
    const std::string path = dir.Write("x.3do", file.Text);
    const TCliRun run = RunCliApart({"info", path});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "zarn-cli: " + path + ", " + file.Says + "\n");
  }
}

TEST(Cli, ConvertWritesAModelThatInfoCounts) {
  const fmt_test::TTempDir dir;
  EXPECT_EQ(RunCli({"convert", ZARN_SAMPLES_DIR "/fighter.3do", dir.File("out.3do")}).Status, 0);
  const TCliRun info = RunCli({"info", dir.File("out.3do")});
  EXPECT_EQ(info.Status, 0);
  for (const char* count : {"nodes: 6\n", "meshes: 5\n", "materials: 4\n", "faces: 42\n", "radius: "})
    EXPECT_NE(info.Out.find(count), std::string::npos) << info.Out;
  const TCliRun bad = RunCli({"convert", ZARN_SAMPLES_DIR "/fighter.3do", "/nonexistent-folder/out.3do"});
  EXPECT_NE(bad.Status, 0);
  EXPECT_NE(bad.Out.find("/nonexistent-folder/out.3do"), std::string::npos);
}

}  // namespace
