// Files that claim more than they hold: sparse files of 5 GiB whose few real bytes name huge
// images, entries and directories, and small files cut short or pointing past their end. Each
// is read the way the program reads a user's file of its kind, in the core and through
// zarn-cli; each says what is wrong, adds nothing, and costs no memory on the file's word.
#include <sys/resource.h>

#include <optional>

#include "model/Text.h"
#include "model/Errors.h"
#include "formats/ObjImport.h"
#include "formats/PuppetReader.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;

namespace {

constexpr uint64_t kSparse = uint64_t{5} << 30;
constexpr long kPeakLimitMiB = 1024;

long PeakMiB(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  return usage.ru_maxrss / 1024;
}

// A container with `values` written over the field at `at` and the same field of each next
// directory entry, 136 bytes on.
std::string Gob(const std::vector<TEntrySpec>& entries, size_t at, std::initializer_list<uint32_t> values) {
  std::string gob = MakeGob(entries);
  for (uint32_t v : values) {
    Set32(gob, at, v);
    at += 136;
  }
  return gob;
}

struct THostileFile {
  const char* Name;  // its extension says what kind of file it is
  std::string Head;
  uint64_t Size;  // beyond the head the file reads as zeros and takes no disk space
  std::vector<std::string> Cli;  // "@" stands for the file
  int Status;
  const char* Says;  // part of the message; "" when the file reads cleanly
};

const std::vector<THostileFile>& Files() {
  const std::vector<std::string> mat = {"mat", "@", "@.png"}, list = {"list", "@"}, info = {"info", "@", "a.3do"};
  const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
  static const std::vector<THostileFile> files = {
      {"tile.mat", MakeTextureMat(1, 1, 8, "\x06"), kSparse, mat, 0, ""},
      {"huge.mat", MakeTextureMat(20000, 20000, 8, ""), kSparse, mat, 1, "Damaged material file (size 20000 x 20000"},
      {"deep.mat", MatHeader(2, 0x7FFFFFFF, 8), kSparse, mat, 1, "beyond the end of the data"},
      {"zero.obj", obj, kSparse, {"info", "@"}, 1, "byte 32 is zero"},
      {"long.obj", obj + "#" + std::string(1 << 20, ' '), 0, {"info", "@"}, 1, "line at byte 32 is longer than 1 MiB"},
      // Every entry claims almost 4 GB; the model names the materials beside it.
      {"big.gob",
       Gob({{"3do\\a.3do", TriangleModelText()},
            {"mat\\stone.mat", MakeTextureMat(1, 1, 8, "\x06")},
            {"mat\\metal.mat", MakeColourMat(6)},
            {"mat\\dflt.mat", MakeColourMat(16)}},
           20, {0xF0000000u, 0xF0000000u, 0xF0000000u, 0xF0000000u}),
       kSparse, info, 0, ""},
      {"many.gob", Gob({}, 12, {30000000}), kSparse, list, 1, "30000000 entries"},
      {"count.gob", Gob({{"a.mat", "x"}}, 12, {0x7FFFFFFF}), 0, list, 1, "2147483647 entries but the file holds room for 1"},
      {"cut.gob", MakeGob({{"a.mat", ""}, {"b.mat", ""}}).substr(0, 252), 0, list, 1, "room for 1"},
      {"short.gob", std::string("GOB \x14\0\0", 7), 0, list, 1, "the header is cut short"},
      {"long.gob", Gob({{"3do\\a.3do", "x"}}, 20, {0xF0000000u}), 0, info, 1, "lies beyond the end of the file"},
      {"far.gob", Gob({{"3do\\a.3do", "x"}}, 16, {0xFFFFFFF0u}), 0, info, 1, "lies beyond the end of the file"},
      // A zero byte ends a puppet's text; a joints list it cuts short is no puppet.
      {"holes.pup", "mode=0\nstand a.key\n", kSparse, {"info", "@"}, 0, ""},
      {"joints.pup", "mode=0\njoints\n0=1\n", kSparse, {"info", "@"}, 1, "the file ends before the \"end\" of the joints"},
      {"clip.txt", "ZARN", kSparse, {"edit", ZARN_SAMPLES_DIR "/fighter.3do", "@.3do", "paste:@"}, 1, "too large"},
  };
  return files;
}

std::string Write(const TTempDir& dir, const THostileFile& file) {
  const std::string path = dir.Write(file.Name, file.Head);
  if (file.Size > file.Head.size()) std::filesystem::resize_file(path, file.Size);
  return path;
}

// What the program says when it reads the file as it reads a user's file of that kind;
// nothing for files that only zarn-cli reads.
std::optional<std::string> ReadLikeTheProgram(TTestCore& t, const std::string& path) {
  const std::string_view ext = ExtensionPart(path);
  std::string said;
  try {
    if (ext == ".obj") {
      ImportObj(t.Model(), path);
    } else if (ext == ".mat") {
      t.Model().FileName = path.substr(0, path.rfind('/') + 1) + "model.3do";
      t.Model().Materials.Add(std::string(FileNamePart(path)));
    } else if (ext == ".pup") {
      ReadPuppetFile(path);
    } else if (ext == ".gob") {
      TGob gob;
      gob.LoadFromFile(path);
      TGobItem item;
      for (const std::string& row : ContainerModelRows(gob))
        if (FindContainerModel(gob, row, item)) Load3DOEntry(t.Model(), item);
    } else {
      return std::nullopt;
    }
  } catch (const EZarnError& e) {
    said = e.what();
  }
  for (const auto* lines : {&t.Services.Errors, &t.Services.Output})
    for (const std::string& line : *lines) said += line + "\n";
  return said;
}

// Read in the core, then through zarn-cli.
TEST(HostileFile, ReadersLookOnlyAtWhatTheHeadersNameWithinTheFileAndZarnCliExits) {
  TTempDir dir;
  for (const THostileFile& file : Files()) {
    SCOPED_TRACE(file.Name);
    const std::string path = Write(dir, file);
    TTestCore t;
    const std::vector<std::string> resources = t.Core.ResourceList;
    if (const std::optional<std::string> said = ReadLikeTheProgram(t, path)) {
      if (file.Status == 0) {
        EXPECT_EQ(*said, "");
      } else {
        EXPECT_NE(said->find(file.Says), std::string::npos) << *said;
        EXPECT_EQ(t.Model().Nodes.Count(), 0);
      }
      EXPECT_EQ(t.Core.ResourceList, resources);  // however reading a container ended
      EXPECT_LT(PeakMiB(RUSAGE_SELF), kPeakLimitMiB);
    }
    std::vector<std::string> args = file.Cli;
    for (std::string& arg : args)
      if (const size_t at = arg.find('@'); at != std::string::npos) arg.replace(at, 1, path);
    const TCliRun run = RunCli(args);
    std::filesystem::remove(path);
    EXPECT_EQ(run.Status, file.Status) << run.Out;
    if (file.Status) {
      EXPECT_FALSE(std::filesystem::exists(path + ".png") || std::filesystem::exists(path + ".3do"));
    }
    EXPECT_NE(run.Out.find(file.Says), std::string::npos) << run.Out;
    EXPECT_LT(PeakMiB(RUSAGE_CHILDREN), kPeakLimitMiB);
  }
}

TEST(HostileFile, ZarnCliRunningOutOfMemorySaysSoAndExits) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own address space does not fit under a limit";
#endif
  TTempDir dir;
  const std::string clip = dir.Write("clip.txt", "ZARN");
  std::filesystem::resize_file(clip, 200 << 20);  // within what a paste file may hold
  std::string faces = "v 0 0 0\n";
  for (int i = 0; i < 1000000; ++i) faces += "f 1 1 1\n";
  const struct { std::vector<std::string> Args; const char* Says; } runs[] = {
      {{"edit", ZARN_SAMPLES_DIR "/fighter.3do", dir.File("out.3do"), "paste:" + clip}, "zarn-cli: out of memory\n"},
      {{"info", dir.Write("faces.obj", faces)}, "Out of memory while importing"},
  };
  for (const auto& r : runs) {
    const TCliRun run = RunCli(r.Args, "ulimit -v 150000; ");
    EXPECT_EQ(run.Status, 1) << run.Out;
    EXPECT_NE(run.Out.find(r.Says), std::string::npos) << run.Out;
  }
}

}  // namespace
