// Export with the up axis a modelling program wants, and back with the same import setting.

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestSupport.h"

namespace {

// The positions of the "v" lines of an OBJ text.
std::vector<TVector> Positions(const std::string& text) {
  std::vector<TVector> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("v ", 0) == 0) {
      std::istringstream v(line.substr(2));
      TVector p;
      v >> p.X >> p.Y >> p.Z;
      out.push_back(p);
    }
  return out;
}

TEST(ObjUpAxis, AYUpExportImportedWithYUpGivesTheSamePositionsBack) {
  const fmt_test::TTempDir dir;
  const std::string sample = ZARN_SAMPLES_DIR "/fighter.3do";
  ASSERT_EQ(RunCli({"export", sample, dir.File("z.obj")}).Status, 0);
  ASSERT_EQ(RunCli({"export", "--up", "y", sample, dir.File("y.obj")}).Status, 0);
  const std::vector<TVector> z = Positions(ReadWholeFile(dir.File("z.obj")));
  const std::vector<TVector> y = Positions(ReadWholeFile(dir.File("y.obj")));
  ASSERT_EQ(y.size(), z.size());
  ASSERT_GT(z.size(), 50u);
  std::vector<TVector> turned;
  for (const TVector& p : z) turned.push_back({p.X, p.Z, -p.Y});
  ExpectNear(y, turned);

  ASSERT_EQ(RunCli({"convert", dir.File("y.obj"), dir.File("back.3do"), "--up", "y"}).Status, 0);
  ASSERT_EQ(RunCli({"export", dir.File("back.3do"), dir.File("back.obj")}).Status, 0);
  ExpectNear(Positions(ReadWholeFile(dir.File("back.obj"))), z);

  EXPECT_EQ(RunCli({"export", "--up", "x", sample, dir.File("x.obj")}).Out, "zarn-cli: --up takes y or z, not 'x'\n");
}

}  // namespace
