#include <gtest/gtest.h>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"

namespace {

TEST(Cli, InfoOfABrokenFileFailsWithTheReadersText) {
  const fmt_test::TTempDir dir;
  const TCliRun run = RunCli({"info", dir.Write("broken.3do", "x\nMODELRESOURCE\nMATERIALS many\n")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Out.find("Error parsing 3DO."), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("'many' is not a valid integer value"), std::string::npos);
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
