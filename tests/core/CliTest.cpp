#include <gtest/gtest.h>

#include <filesystem>

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"

namespace {

TEST(Cli, InfoPrintsTheCounts) {
  const TCliRun run = RunCli({"info", ZARN_SAMPLES_DIR "/fighter.3do"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("nodes: 6\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("meshes: 5\n"), std::string::npos);
  EXPECT_NE(run.Out.find("materials: 4\n"), std::string::npos);
  EXPECT_NE(run.Out.find("radius: "), std::string::npos);
}

TEST(Cli, InfoOfABrokenFileFailsWithTheReadersText) {
  const auto path = std::filesystem::temp_directory_path() / ("zarn-cli-broken-" + std::to_string(::getpid()) + ".3do");
  WriteFileAtomically(path.string(), "x\nMODELRESOURCE\nMATERIALS many\n");
  const TCliRun run = RunCli({"info", path.string()});
  std::filesystem::remove(path);
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Out.find("Error parsing 3DO."), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("'many' is not a valid integer value"), std::string::npos);
}

TEST(Cli, ConvertWritesAModelThatReadsBack) {
  const auto out = std::filesystem::temp_directory_path() / ("zarn-cli-out-" + std::to_string(::getpid()) + ".3do");
  EXPECT_EQ(RunCli({"convert", ZARN_SAMPLES_DIR "/fighter.3do", out.string()}).Status, 0);
  const TCliRun info = RunCli({"info", out.string()});
  std::filesystem::remove(out);
  EXPECT_EQ(info.Status, 0);
  EXPECT_NE(info.Out.find("faces: 42\n"), std::string::npos) << info.Out;
  const TCliRun bad = RunCli({"convert", ZARN_SAMPLES_DIR "/fighter.3do", "/nonexistent-folder/out.3do"});
  EXPECT_NE(bad.Status, 0);
  EXPECT_NE(bad.Out.find("/nonexistent-folder/out.3do"), std::string::npos);
  EXPECT_EQ(RunCli({"frobnicate"}).Status, 2);
}

}  // namespace
