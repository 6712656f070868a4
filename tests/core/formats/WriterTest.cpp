#include <sys/resource.h>

#include <csignal>

#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"
#include "tests/core/CliRunner.h"
#include "editing/Primitives.h"
#include "formats/FileIO.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Vertex normals follow the corners in every level of detail, whichever set was copied from
// which and whatever undo and redo restored: flipped faces turn them round in the copy too.
TEST(Writer, NormalsFollowTheCornersInEverySetAndThroughUndoAndRedo) {
  const fmt_test::TTempDir dir;
  std::string texts[2];
  const std::vector<std::string> steps = {"mode:surface", "select:all", "actEditFlipFace", "actViewLodAdd"};
  for (const bool again : {false, true}) {
    std::vector<std::string> args = {"edit", ZARN_SAMPLES_DIR "/fighter.3do", dir.File("out.3do")};
    args.insert(args.end(), steps.begin(), steps.end());
    if (again) args.insert(args.end(), {"undo", "redo"});
    ASSERT_EQ(RunCli(args).Status, 0);
    const std::string text = ReadWholeFile(dir.File("out.3do"));
    texts[again] = text.substr(text.find('\n'));
  }
  EXPECT_EQ(texts[1], texts[0]);
  // The hull's first corner, turned inward with its three faces, in both sets.
  const std::string hull = "VERTEX NORMALS\r\n0:  0.333333 0.333333 0.333333\r\n";
  const size_t first = texts[0].find(hull);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(texts[0].find(hull, first + 1), std::string::npos);
}

TEST(Writer, EmptyModelWritesHeaderAndEmptySections) {
  TTestCore t;
  t.Model().FileName = "C:\\models\\empty.3do";
  const std::string text = SavedText(t.Model(), true);
  EXPECT_EQ(text.rfind("# MODEL 'empty.3do' created with ", 0), 0u);
  EXPECT_EQ(text.substr(text.find("\r\n")),
            "\r\n\r\nSECTION: HEADER\r\n3DO 2.1\r\n\r\nSECTION: MODELRESOURCE\r\nMATERIALS 0\r\n\r\n"
            "SECTION: GEOMETRYDEF\r\nRADIUS 0\r\nINSERT OFFSET 0 0 0\r\nGEOSETS 1\r\nGEOSET 0\r\nMESHES 0\r\n\r\n"
            "SECTION: HIERARCHYDEF\r\nHIERARCHY NODES 0\r\n");
}

// Each vertex keeps its light: the game's own column, and one that is not a number gives no
// light of its own.
TEST(Writer, RowsHaveTheirExactSpacingAndVerticesTheirLight) {
  TTestCore t;
  Parse3DO(t.Model(), Replace(TriangleModelText(), "0:  0 0 0 0\r\n1:  1 0 0 0\r\n2:  0 1 0 0\r\n",
                             "0: 0 0 0 0.25\r\n1: 1 0 0 -0.5\r\n2: 0 1 0 bright\r\n"));
  TModel& m = t.Model();
  m.Nodes[0]->Mesh->Vertices[1]->Position = {0.25, -1, 2.5};
  AddFace(*m.Nodes[0]->Mesh, {0, 1, 2});
  const auto lines = Lines(SavedText(m, true));
  for (const char* line : {"0:  stone.mat", "1:  metal.mat", "2:  dflt.mat", "0:  0 0 0 0.25", "1:  0.25 -1 2.5 -0.5",
                           "2:  0 1 0 0", "TEXTURE VERTICES 6",
                           "0:  1 0x4 4 3 1 0.5 3 0, 0 1, 1 2, 2 ", "1:  2 0x4 4 3 1 0 3 0, 3 1, 4 2, 5 ",
                           "0:  0x0 0x10 0 -1 1 -1 1 0 0 0 0 0 0 0 0 0 root"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  EXPECT_EQ(lines.back(), "1:  0x0 0x1 -1 0 -1 -1 0 0 0 1 0 0 0 0 0 0 child");
  for (const char* list : {"TEXTURE VERTICES 6", "VERTEX NORMALS", "FACES 2"}) {
    const auto at = std::find(lines.begin(), lines.end(), list);
    ASSERT_NE(at, lines.end()) << list;
    EXPECT_EQ(at[-1], "") << "a blank line ends the list before " << list;
  }
  // Nodes outside the written list are -1; every material is written, even unused ones, but
  // the default that no written face uses.
  std::string part;
  Write3DO(m, part, {m.Nodes[1]});
  for (const char* line : {"\r\n0:  0x0 0x1 -1 -1 -1 -1 0 0 0 1", "\r\nMATERIALS 2\r\n", "\r\nMESHES 0\r\n"})
    EXPECT_NE(part.find(line), std::string::npos) << line;
}

TEST(Writer, ModelsRoundTripThroughFilesToTheSameText) {
  fmt_test::TTempDir dir;
  TTestCore sample;
  ASSERT_TRUE(Load3DOFile(sample.Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
  ASSERT_GE(sample.Model().Nodes.Count(), 5);
  // Text of several blocks of reading, with caps of more corners than the game's files hold,
  // read once so that it holds only what the text can say.
  TTestCore built, big;
  BuildPlane(built.Model(), 160, 160, 1);
  BuildCylinder(built.Model(), 40, 1, 1);
  Save3DOFile(built.Model(), dir.File("built.3do"));
  ASSERT_TRUE(Load3DOFile(big.Model(), dir.File("built.3do")));
  for (TTestCore* first : {&sample, &big}) {
    const std::string path = dir.File("first.3do"), again = dir.File("again.3do");
    Save3DOFile(first->Model(), path);
    TTestCore second;
    ASSERT_TRUE(Load3DOFile(second.Model(), path));
    EXPECT_FLOAT_EQ(static_cast<float>(first->Model().Radius), static_cast<float>(second.Model().Radius));
    // The read-back model writes the same text apart from the name and date in line one.
    Save3DOFile(second.Model(), again);
    const std::string a = ReadWholeFile(path), b = ReadWholeFile(again);
    EXPECT_TRUE(a.substr(a.find("\r\n")) == b.substr(b.find("\r\n")));
    EXPECT_TRUE(first == &sample || a.size() > size_t{4} << 20);
  }
}

class SaveTest : public ::testing::Test {
 protected:
  // Each save test starts with the model and an old file at `Path` that a failed save must keep.
  void SetUp() override {
    Parse3DO(T.Model(), TriangleModelText());
    WriteFileAtomically(Path, "precious");
  }
  size_t FilesInDir() const { return std::distance(std::filesystem::directory_iterator(Dir.Path), {}); }
  fmt_test::TTempDir Dir;
  const std::string Path = Dir.File("keep.3do");
  TTestCore T;
};

TEST_F(SaveTest, SavingReplacesTheFileAndNamesItInTheHeader) {
  Save3DOFile(T.Model(), Path);
  EXPECT_EQ(T.Model().FileName, Path);
  EXPECT_EQ(ReadWholeFile(Path).rfind("# MODEL 'keep.3do' created with ", 0), 0u);
  EXPECT_EQ(FilesInDir(), 1u);  // no temporary left
  // File > Save passes the model's own file name.
  T.Model().Nodes[0]->Name = "renamed";
  Save3DOFile(T.Model(), T.Model().FileName);
  EXPECT_EQ(T.Model().FileName, Path);
  EXPECT_NE(ReadWholeFile(Path).find("renamed"), std::string::npos);
}

TEST_F(SaveTest, AFailedSaveLeavesTheOldFileWhole) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const std::string named = T.Model().FileName;
  std::filesystem::permissions(Dir.Path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_THROW(Save3DOFile(T.Model(), Path), EInOutError);
  std::filesystem::permissions(Dir.Path, std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadWholeFile(Path), "precious");
  EXPECT_EQ(T.Model().FileName, named);  // a later Save goes to the file the model came from
}

TEST_F(SaveTest, AWriteCutShortLeavesTheOldFileWhole) {
  // A file size limit makes the write fail part-way, as a full disk would.
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 512;
  ::setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_THROW(Save3DOFile(T.Model(), Path), EInOutError);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadWholeFile(Path), "precious");
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(SaveTest, AFailedRenameLeavesNoTemporaryBehind) {
  const std::string path = Dir.File("is-a-folder/content");
  std::filesystem::create_directories(path);
  const std::string named = T.Model().FileName;
  EXPECT_THROW(Save3DOFile(T.Model(), Dir.File("is-a-folder")), EInOutError);
  EXPECT_EQ(T.Model().FileName, named);  // a later Save goes to the file the model came from
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(FilesInDir(), 2u);  // the folder and the old file
}

}  // namespace
