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

}  // namespace
