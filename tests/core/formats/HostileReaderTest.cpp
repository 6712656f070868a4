// Damaged and hostile 3DO files: every case must end in a reported error or a partial model,
// never in a crash, a hang or an allocation the file does not pay for. They are read from
// files, as the user opens them, so the text arrives in blocks.

#include <tuple>

#include "tests/core/FormatBytes.h"
#include "tests/core/MemoryLimit.h"
#include "tests/core/TestCore.h"
#include "editing/ClipboardCommands.h"
#include "editing/Primitives.h"
#include "formats/FileIO.h"

namespace {

// Far more than any file of these tests pays for, far less than a count in them asks for.
constexpr size_t kReadBudget = size_t{64} << 20;

class HostileReader : public ::testing::Test {
 protected:
  // Reads the text as a file into the model, which must not take more than kReadBudget.
  TReadResult Read(TTestCore& t, const std::string& text) {
    // A new file each time: cutting an old one short would wait for the disk.
    std::filesystem::remove(Dir.File("model.3do"));
    const std::string path = Dir.Write("model.3do", text);
    const TMemoryLimit limit(kReadBudget);
    TReadResult result = Load3DOFile(t.Model(), path);
    EXPECT_FALSE(limit.Reached()) << result.Message;
    return result;
  }
  // One error was shown, a parse error of one line naming the file and holding `message`.
  static void ExpectParseError(const TTestCore& t, const std::string& message = "") {
    ASSERT_EQ(t.Services.Errors.size(), 1u) << message;
    const std::string& shown = t.Services.Errors[0];
    EXPECT_NE(shown.find(".3do, line "), std::string::npos) << shown;
    EXPECT_EQ(shown.find_first_of("\r\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find(message), std::string::npos) << shown;
  }
  // ... and the read's result is that error.
  static void ExpectParseError(const TTestCore& t, const TReadResult& result, const std::string& message = "") {
    ExpectParseError(t, message);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, t.Services.Errors.at(0));
  }

  fmt_test::TTempDir Dir;
};

TEST_F(HostileReader, EveryTruncationOfTheSampleIsSurvived) {
  const std::string text = ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do");
  for (size_t cut = 0; cut < text.size(); cut += 29) {
    TTestCore t;
    const TReadResult result = Read(t, text.substr(0, cut));
    // Either the whole hierarchy was reached or the error was shown.
    if (!result) ExpectParseError(t, result);
    EXPECT_EQ(result.Ok, t.Services.Errors.empty());
  }
}

TEST_F(HostileReader, BadValuesAndHugeCountsAreParseErrors) {
  // Rows read into an empty model or merged into one holding the triangle model's two nodes.
  const struct { int Merged; std::string From, To, Message; } cases[] = {
      // Huge counts fail at the end of the text.
      {0, "VERTICES 3", "VERTICES 2000000000", ""}, {0, "TEXTURE VERTICES 3", "TEXTURE VERTICES 2000000000", ""},
      {0, "FACES 1", "FACES 2147483647", ""},       {0, "MESHES 1", "MESHES 2000000000", ""},
      {0, "MATERIALS 2", "MATERIALS 2000000000", ""}, {0, "HIERARCHY NODES 2", "HIERARCHY NODES 2000000000", ""},
      {0, "0.5 3 0, 0", "0.5 2000000000 0, 0", ""},
      {0, "\r\nHIERARCHY NODES", std::string("\r\n\0HIERARCHY NODES", 18), ""},  // a zero byte ends the text
      {0, "1:  1 0 0 0", "1:  1 zz 0 0", "line 26: expected \"1: x y z intensity\", found \"1: 1 zz 0 0\""},
      // Hex has no letter digits.
      {0, "0x4 4 3", "0x000a 4 3",
       "line 40: expected \"0: material type geometry lighting texture extralight corners vertex, texture-vertex ...\", "
       "found \"0: 1 000a 4 3 1 0.5 3 0 0 1 1 2 2\""},
      {0, "GEOSETS 1", "# MESHES are below\r\nGEOSETS 1", "line 13: expected \"MESHES n\", found \"\""},  // keyword in a comment
      // The first line is never examined, whatever it holds.
      {0, "# MODEL 'tri.3do'\r\nSECTION: HEADER\r\n3DO 2.1\r\n\r\nSECTION: MODELRESOURCE", "SECTION: MODELRESOURCE", ""},
      {0, "1, 1 2, 2", "1, 1 9, 2", "line 40: the row names vertex 9, but there are 3"},
      {0, "1, 1 2, 2", "1, 1 -1, 2", "line 40: the row names vertex -1, but there are 3"},
      {0, "1, 1 2, 2", "1, 1 2, 3", "line 40: the row names texture vertex 3, but there are 3"},
      {0, "0:  1 0x4", "0:  7 0x4", "line 40: the row names material 7, but there are 2"},
      {0, "0x10 0 -1", "0x10 4 -1", "line 47: the row names mesh 4, but there is 1"},
      {0, "0x1 -1 0", "0x1 -1 5", "line 48: the row names node 5, but the text has 2 nodes"},
      {0, "0x10 0 -1 1", "0x10 0 -1 -7", "line 47: the row names node -7, but the text has 2 nodes"},
      {2, "0x10 0 -1 1", "0x10 0 2147483647 1", "line 47: the row names node 2147483647, but the text has 2 nodes"},
      {2, "0x10 0 -1 1", "0x10 0 -1 2147483647", "line 47: the row names node 2147483647, but the text has 2 nodes"},
      {2, "0x1 -1 0 -1 -1", "0x1 -1 0 -1 2147483647", "line 48: the row names node 2147483647, but the text has 2 nodes"},
      {0, "1:  1 0 0 0", "1:  1e39 0 0 0", "line 26: expected \"1: x y z intensity\", found \"1: 1e39 0 0 0\""},
  };
  for (const auto& c : cases) {
    TTestCore t;
    if (c.Merged) Parse3DO(t.Model(), TriangleModelText());
    ExpectParseError(t, Read(t, Replace(TriangleModelText(), c.From, c.To)), c.Message);
    // Rows read before the error stay, but meshes that no row reached are not part of the model.
    const std::string text = TriangleModelText();
    if (text.find(c.From) < text.find("HIERARCHY NODES")) {
      EXPECT_EQ(t.Model().Nodes.Count(), c.Merged) << c.Message;
    }
  }
}

TEST_F(HostileReader, FilesThatAreNoModelInsertedLeaveTheModel) {
  for (const std::string& content : {std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"), fmt_test::MakeColourMat(3),
                                     fmt_test::MakeGob({{"a.3do", TriangleModelText()}}), std::string()}) {
    TTestCore t;
    Parse3DO(t.Model(), TriangleModelText());
    t.Model().FileName = "ship.3do";
    t.Services.FileNames = {Dir.Write("other.3do", content)};
    actFileInsert(t.Core);
    ExpectParseError(t);
    EXPECT_EQ((std::tuple{t.Model().Nodes.Count(), t.Model().FileName}), (std::tuple{2, std::string("ship.3do")}));
  }
}

TEST_F(HostileReader, ASparseFileIsReadAsFarAsItHoldsTextAndLongFieldsAreCut) {
  const std::string path = Dir.Write("model.3do", Replace(TriangleModelText(), "NAME tri", "NAME " + std::string(100000, 'n')));
  ASSERT_EQ(::truncate(path.c_str(), off_t{6} << 30), 0);
  TTestCore t;
  const TMemoryLimit limit(kReadBudget);
  EXPECT_TRUE(Load3DOFile(t.Model(), path));
  EXPECT_FALSE(limit.Reached());
  ASSERT_EQ(t.Model().Nodes.Count(), 2);
  EXPECT_EQ(t.Model().Nodes[0]->Mesh->Name.size(), 255u);
}

TEST_F(HostileReader, ALineWithoutEndIsNotFollowedThroughTheWholeFile) {
  TTestCore t;
  const std::string path = Dir.Write("model.3do", "x\nMODELRESOURCE " + std::string((size_t{96} << 20), 'x') + "\n");
  const TMemoryLimit limit(size_t{256} << 20);
  ExpectParseError(t, Load3DOFile(t.Model(), path), "line 2: a line of more than 64 MiB");
  EXPECT_FALSE(limit.Reached());
}

TEST_F(HostileReader, CopiesOfASharedMeshAreBoundByTheFilesGeometry) {
  // The first row takes the triangle; each copy holds as much as the file lists, and four are
  // paid for.
  for (const int rows : {5, 6}) {
    std::string nodes = "HIERARCHY NODES " + std::to_string(rows) + "\r\n";
    for (int j = 0; j < rows; ++j) nodes += std::to_string(j) + ":  0x0 0x1 0 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 n\r\n";
    const std::string text = TriangleModelText();
    TTestCore t;
    const TReadResult result = Read(t, text.substr(0, text.find("HIERARCHY NODES")) + nodes);
    if (rows == 6) {
      ExpectParseError(t, result, "mesh 0 (tri) is named by too many nodes");
      continue;
    }
    ASSERT_TRUE(result) << result.Message;
    const TNode* copy = t.Model().Nodes[4];  // each node gets its own whole copy
    ASSERT_NE(copy->Mesh, nullptr);
    EXPECT_NE(copy->Mesh, t.Model().Nodes[0]->Mesh);
    EXPECT_EQ((std::tuple{copy->Mesh->Node, copy->Mesh->Surfaces[0]->Vertices[2], copy->Mesh->Surfaces[0]->TXVertices[1].U}),
              (std::tuple{copy, copy->Mesh->Vertices[2], 16.0f}));
  }
}

TEST_F(HostileReader, RunningOutOfMemoryTakesBackWhatTheReadAdded) {
  TTestCore big;
  BuildPlane(big.Model(), 50, 50, 1);
  BuildCylinder(big.Model(), 30, 1, 1);
  const std::string path = Dir.File("big.3do");
  Save3DOFile(big.Model(), path);
  // Past the block the file is read in, memory runs out at a different step of the read each time.
  int exhausted = 0;
  for (size_t budget = size_t{9} << 17;; budget += size_t{64} << 10, ++exhausted) {
    TTestCore t;
    Parse3DO(t.Model(), TriangleModelText());
    const int materials = t.Model().Materials.Count();
    TReadResult result;
    {
      const TMemoryLimit limit(budget);
      result = Load3DOFile(t.Model(), path);
      if (!limit.Reached()) break;
    }
    ExpectParseError(t, result, "out of memory; nothing of the text was kept");
    EXPECT_EQ((std::tuple{t.Model().Nodes.Count(), t.Model().Materials.Count()}), (std::tuple{2, materials}));
  }
  EXPECT_GE(exhausted, 8);
}

}  // namespace
