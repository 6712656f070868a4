// A named pipe, a device or a folder given where a file is read: every reader says what it
// is at once, with one message, instead of waiting for a writer or reading for ever. A run of
// zarn-cli that still waits is stopped after a while and fails the test.

#include <tuple>

#include "formats/ObjImport.h"
#include "formats/FileIO.h"
#include "formats/Mat.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "formats/ObjImportOptions.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

class NotAFile : public ::testing::Test {
 protected:
  NotAFile() { EXPECT_EQ(::mkfifo(Fifo.c_str(), 0600), 0); }

  struct TKind {
    std::string Path, Says;
  };
  std::vector<TKind> Kinds() const {
    return {{Fifo, "Cannot read file '" + Fifo + "': it is a named pipe, not a file"},
            {"/dev/null", "Cannot read file '/dev/null': it is a device, not a file"},
            {Dir.Path, "Cannot read file '" + Dir.Path + "': it is a folder, not a file"}};
  }

  // Exit status and standard error of zarn-cli, stopped after 60 s should it wait.
  TCliRun Run(const std::vector<std::string>& args) {
    const std::string errors = Dir.File("stderr.txt");
    TCliRun run = RunCli(args, "timeout 60 ", "'" + errors + "'");
    run.Err = ReadWholeFile(errors);
    return run;
  }

  fmt_test::TTempDir Dir;
  const std::string Fifo = Dir.File("pipe");
};

TEST_F(NotAFile, EveryReaderSaysWhatThePathIsAndAWholeFileReadKeepsToItsLimit) {
  for (const TKind& kind : Kinds()) {
    SCOPED_TRACE(kind.Path);
    TTestCore t;
    const TReadResult model = Load3DOFile(t.Model(), kind.Path);
    EXPECT_EQ(model.Message, kind.Says);
    EXPECT_EQ(t.Services.Errors, std::vector<std::string>{kind.Says});
    EXPECT_EQ(ImportObj(t.Model(), kind.Path, {.Materials = true}).Message, kind.Says);
    EXPECT_EQ(t.Model().Nodes.Count(), 0);
    EXPECT_EQ(NotARegularFile(kind.Path), kind.Says);
    ExpectThrowWhat<EInOutError>([&] { ReadWholeFile(kind.Path); }, kind.Says);
    ExpectThrowWhat<EInOutError>([&] { TReadOnlyFile file(kind.Path); }, kind.Says);
    TMaterials materials;
    TMaterial material(&materials, "pipe.mat");
    ExpectThrowWhat<EInOutError>([&] { ReadMat(material, kind.Path, 0, 64); }, kind.Says);
    TGob gob;
    EXPECT_FALSE(gob.LoadFromFile(kind.Path));
  }
  EXPECT_EQ(NotARegularFile(Dir.File("none.3do")),
            "Cannot open file '" + Dir.File("none.3do") + "': No such file or directory");
  EXPECT_EQ(NotARegularFile(Dir.Write("real.3do", "x")), "");
  // A whole file read takes up to its limit and refuses a byte more.
  const std::string path = Dir.Write("ten.txt", "0123456789");
  EXPECT_EQ(ReadWholeFile(path, 10), "0123456789");
  ExpectThrowWhat<EInOutError>([&] { ReadWholeFile(path, 9); },
                               "Cannot read file '" + path + "': it is too large (more than 9 bytes)");
}

// Each file zarn-cli reads, given a pipe, a device or a folder, and files that are not there:
// exit status 1 and the one true message on standard error, never a second one invented
// after it.
TEST_F(NotAFile, ZarnCliSaysSoInOneLineAndWritesNothing) {
  const std::string sample = ZARN_SAMPLES_DIR "/fighter.3do", out = Dir.File("out.3do");
  // An OBJ and a material are known by their extension.
  const std::string obj = Dir.File("pipe.obj"), mat = Dir.File("pipe.mat");
  ASSERT_EQ(::mkfifo(obj.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(mat.c_str(), 0600), 0);
  const auto pipe = [](const std::string& p) { return "Cannot read file '" + p + "': it is a named pipe, not a file"; };
  const auto none = [](const std::string& p) { return "Cannot open file '" + p + "': No such file or directory"; };
  std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"info", obj}, pipe(obj)},
      {{"mat", mat, Dir.File("m.png")}, pipe(mat)},
      {{"info", "/no/such.3do"}, none("/no/such.3do")},
      {{"info", "/no/such.obj"}, none("/no/such.obj")},
      {{"list", "/no/such.gob"}, none("/no/such.gob")},
      {{"convert", "/no/such.3do", out}, none("/no/such.3do")},
  };
  for (const TKind& kind : Kinds()) {
    const std::string& p = kind.Path;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"info", p}, {"info", "--json", p, "a.3do"}, {"list", p}, {"mat", p, Dir.File("m.png")},
             {"convert", p, out}, {"edit", p, out}, {"edit", sample, out, "paste:" + p},
             {"edit", sample, out, "insert:" + p}})
      cases.emplace_back(args, kind.Says);
  }
  for (const auto& [args, says] : cases) {
    SCOPED_TRACE(args[0] + " " + args.back());
    std::filesystem::remove(out);
    const TCliRun run = Run(args);
    EXPECT_EQ((std::tuple{run.Status, run.Err}), (std::tuple{1, "zarn-cli: " + says + "\n"}));
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

}  // namespace
