// KEY animations read from files on disk and from containers, refused when damaged, and
// written to read back the same.

#include <tuple>

#include "formats/ContainerKeys.h"
#include "formats/KeyReader.h"
#include "formats/KeyWriter.h"
#include "model/Errors.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/KeyFiles.h"
#include "tests/core/TestCore.h"

using namespace fmt_test;
using key_test::TwoNodeKey;

namespace {

// What the poses do not show (KeyPoseTest works out the entries' frames, positions and turns),
// and the same again from the file written of it.
TEST(KeyReader, ReadsHeaderMarkersNodesAndEntriesFromAFileAndWritesThemBack) {
  const TTempDir dir;
  const TKeyAnimation key = ReadKeyFile(dir.Write("walk.key", TwoNodeKey()));
  EXPECT_EQ((std::tuple{key.Flags, key.Type, key.Frames, key.Fps, key.Joints}), (std::tuple{0x14u, 0xFFu, 20, 10.0, 2}));
  ASSERT_EQ(key.Markers.size(), 2u);
  EXPECT_EQ((std::tuple{key.Markers[1].Frame, key.Markers[1].Type}), (std::tuple{15.0, 1}));
  ASSERT_EQ(key.Nodes.size(), 2u);
  ASSERT_EQ(key.Nodes[0].Entries.size(), 2u);
  // Flags are hexadecimal without "0x" too.
  const TKeyNode &torso = key.Nodes[0], &head = key.Nodes[1];
  EXPECT_EQ((std::tuple{torso.MeshName, torso.Entries[1].Flags, head.Index, head.Entries.at(0).Flags}),
            (std::tuple{"torso", 0u, 1, 2u}));
  ExpectNear(torso.Entries[1].DeltaRotation, 5, 5, 5);
  // Flags of three decimal digits are no hexadecimal ones.
  EXPECT_EQ(ReadKeyFile(dir.Write("d.key", "SECTION: HEADER\nFRAMES 1\nFPS 15\nJOINTS 1\nFLAGS 100\n"
                                                        "SECTION: KEYFRAME NODES\nNODES 0\n")).Flags, 100u);
  // A real animation: the sample's second node drives node 5, the fin.
  const TKeyAnimation sample = ReadKeyFile(ZARN_SAMPLES_DIR "/fighter-bank.key");
  EXPECT_EQ((std::tuple{sample.Frames, sample.Joints, sample.Nodes.size()}), (std::tuple{40, 6, size_t{2}}));
  EXPECT_EQ((std::tuple{sample.Nodes[1].Index, sample.Nodes[1].MeshName}), (std::tuple{5, std::string("fin")}));
  // Written (8 decimals) and read again, each comes back the same.
  for (const TKeyAnimation* read : {&key, &sample}) {
    SaveKeyFile(*read, dir.File("copy.key"));
    const TKeyAnimation back = ReadKeyFile(dir.File("copy.key"));
    EXPECT_EQ(KeyText(back), KeyText(*read));
    EXPECT_EQ((std::tuple{back.Flags, back.Markers.size(), back.Nodes.size()}),
              (std::tuple{read->Flags, read->Markers.size(), read->Nodes.size()}));
  }
  // The game reads FLAGS as a decimal number: 0x14 is written 20.
  EXPECT_NE(KeyText(key).find("\nFLAGS  20\n"), std::string::npos);
}

TEST(KeyReader, ReadsAContainerEntryByItsPlace) {
  const TTempDir dir;
  const std::string gob =
      dir.Write("res.gob", MakeGob({{"3do\\key\\a.key", "x"}, {"3do\\key\\walk.key", TwoNodeKey()}}));
  EXPECT_EQ(ReadKeyEntry(FoundEntry(gob, "walk.key")).Nodes.size(), 2u);
  EXPECT_EQ(ReadKeyNamed(gob + ":3do/key/walk.key").Frames, 20);
  EXPECT_EQ(ReadKeyNamed(gob + ":walk.key").Joints, 2);
  // One byte long: the next entry's text is not its own.
  ExpectThrowWhat<EParserError>([&] { ReadKeyNamed(gob + ":a.key"); },
                                "a.key, line 1: a KEY starts with \"SECTION: HEADER\"");
  ExpectThrowWhat<EInOutError>([&] { ReadKeyNamed(gob + ":run.key"); }, "No entry 'run.key' in '" + gob + "'");
}

TEST(KeyReader, TheContainersAnimationsAreTheKeyFilesOfItsKeyFolder) {
  const TTempDir dir;
  const std::string path = dir.Write("res.gob", MakeGob({{"3do\\key\\walk.key", "a"}, {"3do\\KEY\\Run.KEY", "b"},
                                                          {"3do\\key\\old\\jump.key", "c"}, {"3do\\key\\notes.txt", "d"},
                                                          {"3do\\walk.key", "e"}, {"key\\walk.key", "f"}}));
  TGob gob;
  ASSERT_TRUE(gob.LoadFromFile(path));
  EXPECT_EQ(ContainerKeyRows(gob), (std::vector<std::string>{"Run.KEY", "walk.key"}));
  TGobItem item;
  ASSERT_TRUE(FindContainerKey(gob, "RUN.key", item));
  EXPECT_EQ((std::tuple{item.EntryName, item.Length}), (std::tuple{std::string("3do\\KEY\\Run.KEY"), 1u}));
  EXPECT_FALSE(FindContainerKey(gob, "jump.key", item));
}

std::string Header(const std::string& more = "") {
  return "SECTION: HEADER\nFRAMES 10\nFPS 15\nJOINTS 4\n" + more;
}
std::string Nodes(const std::string& body) { return Header() + "SECTION: KEYFRAME NODES\n" + body; }
std::string OneNode(const std::string& body) { return Nodes("NODES 1\nNODE 0\nMESH NAME a\n" + body); }
const std::string kEntry = "0: 0 0x1 0 0 0 0 0 0\n0 0 0 0 0 0\n";
constexpr uint64_t kSparse = uint64_t{5} << 30;

// Each file refused with what is wrong, after "bad.key".
TEST(KeyReader, HostileFilesAreRefusedWithWhatIsWrong) {
  const struct {
    const char* Case;
    std::string Text;
    uint64_t Size;  // beyond the text the file reads as zeros and takes no disk space
    const char* Says;
  } cases[] = {
      {"Empty", "", 0, ": the file ends before its header"},
      {"OnlyComments", "# nothing\n\n   # more\n", 0, ": the file ends before its header"},
      {"NoHeader", "SECTION: MARKERS\n", 0, ", line 1: a KEY starts with \"SECTION: HEADER\""},
      {"FramesNoNumber", Header("FRAMES x\n"), 0, ", line 5: FRAMES 'x' is not a count from 0 to 16777216"},
      {"FramesZero", Header("FRAMES 0\n"), 0, ", line 5: FRAMES must be at least 1"},
      {"FpsZero", Header("FPS 0\n"), 0, ", line 5: FPS must be more than 0"},
      {"FpsNoNumber", Header("FPS nan\n"), 0, ", line 5: FPS 'nan' is not a number"},
      {"NoJoints", "SECTION: HEADER\nFRAMES 1\nFPS 1\nSECTION: KEYFRAME NODES\n", 0, ": the header lacks JOINTS"},
      {"FlagsNoHex", Header("FLAGS 0x12g\n"), 0, ", line 5: FLAGS '0x12g' is not a hexadecimal number of 32 bits"},
      {"FlagsNotDecimal", Header("FLAGS 1f\n"), 0, ", line 5: FLAGS '1f' is not a decimal number of 32 bits"},
      {"HeaderOnly", Header(), 0, ": the file ends before \"SECTION: KEYFRAME NODES\""},
      {"NineMarkers", Header("SECTION: MARKERS\nMARKERS 9\n"), 0, ", line 6: 9 markers; the game reads at most 8"},
      {"HugeMarkers", Header("SECTION: MARKERS\nMARKERS 4000000000\n"), 0,
        ", line 6: MARKERS '4000000000' is not a count from 0 to 1073741824"},
      {"MarkerCut", Header("SECTION: MARKERS\nMARKERS 2\n1 0\n"), 0, ": the file ends before marker 1"},
      {"HugeNodes", Nodes("NODES 2000000000\n"), 0, ", line 6: NODES '2000000000' is not a count from 0 to 4096"},
      {"NegativeIndex", Nodes("NODES 1\nNODE -1\n"), 0, ", line 7: NODE '-1' is not a count from 0 to 4095"},
      {"FarIndex", Nodes("NODES 1\nNODE 4096\n"), 0, ", line 7: NODE '4096' is not a count from 0 to 4095"},
      {"NodeTwice", Nodes("NODES 2\nNODE 3\nMESH NAME a\nENTRIES 0\nNODE 3\n"), 0, ", line 10: node 3 is listed twice"},
      {"HugeEntries", OneNode("ENTRIES 99999999\n"), 0, ", line 9: ENTRIES '99999999' is not a count from 0 to 65536"},
      {"NoMeshName", Nodes("NODES 1\nNODE 0\nENTRIES 1\n"), 0, ", line 8: \"MESH NAME\" expected"},
      {"MeshWithoutName", Nodes("NODES 1\nNODE 0\nMESH a\n"), 0, ", line 8: \"MESH NAME\" expected"},
      {"CutInEntries", OneNode("ENTRIES 3\n" + kEntry), 0, ": the file ends before entry 1 of node 0"},
      {"CutBeforeDeltas", OneNode("ENTRIES 1\n0: 0 0x1 0 0 0 0 0 0\n"), 0,
        ": the file ends before the deltas of entry 0 of node 0"},
      {"ShortEntry", OneNode("ENTRIES 1\n0: 0 0x1 0 0 0\n"), 0,
        ", line 10: entry 0 of node 0: \"N: frame flags x y z pitch yaw roll\" expected"},
      {"EntryNoNumber", OneNode("ENTRIES 1\n0: 0 0x1 0 a 0 0 0 0\n"), 0, ", line 10: y 'a' is not a number"},
      {"ShortDeltas", OneNode("ENTRIES 1\n0: 0 0x1 0 0 0 0 0 0\n1 2 3\n"), 0,
        ", line 11: entry 0 of node 0: six deltas \"dx dy dz dpitch dyaw droll\" expected"},
      {"EntriesBackwards", OneNode("ENTRIES 2\n0: 5 0x1 0 0 0 0 0 0\n0 0 0 0 0 0\n" + kEntry), 0,
        ", line 12: entry 1 of node 0 comes before the entry above it (frame 0)"},
      {"NodesMissing", Nodes("NODES 2\nNODE 0\nMESH NAME a\nENTRIES 1\n" + kEntry), 0, ": the file ends before node 1 of 2"},
      // Gigabytes of holes after a head that promises thousands of nodes: the holes end the
      // text, and nothing was set aside on the counts' word.
      {"SparseAfterCounts", Nodes("NODES 4096\nNODE 0\nMESH NAME a\nENTRIES 65536\n" + kEntry), kSparse,
        ": the file ends before entry 1 of node 0"},
      {"SparseHeader", "SECTION: HEADER\nFRAMES 10\n", kSparse, ": the header lacks FPS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    const TTempDir dir;
    const std::string path = dir.Write("bad.key", c.Text);
    if (c.Size > c.Text.size()) std::filesystem::resize_file(path, c.Size);
    ExpectThrowWhat<EParserError>([&] { ReadKeyFile(path); }, std::string("bad.key") + c.Says);
  }
}

TEST(KeyReader, AFolderOrAMissingFileIsNoKey) {
  const TTempDir dir;
  std::filesystem::create_directories(dir.File("walk.key"));
  for (const char* name : {"walk.key", "missing.key"}) EXPECT_THROW(ReadKeyFile(dir.File(name)), EInOutError) << name;
}

}  // namespace
