// Puppets read from files and containers, refused when damaged, and the KEYs
// they name found where the game and a user keep them.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "formats/ContainerKeys.h"
#include "formats/PuppetKeys.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/PuppetFiles.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;
using pup_test::ThreeModePuppet;

namespace {

using TMove = std::tuple<std::string, std::string, unsigned, int, int>;

std::vector<TMove> Moves(const TPuppetMode& mode) {
  std::vector<TMove> moves;
  for (const TPuppetSubmode& s : mode.Submodes)
    moves.emplace_back(s.Name, s.Key, s.Flags, s.LowPriority, s.HighPriority);
  return moves;
}

TEST(PuppetReader, ReadsModesTheirMovesAndJointsFromAFileAndAContainer) {
  const TTempDir dir;
  const std::string gob = dir.Write("res.gob", MakeGob({{"misc\\pup\\ky.pup", ThreeModePuppet()},
                                                        {"misc\\PUP\\Other.PUP", "x"},
                                                        {"misc\\pup\\old\\ky.pup", "y"},
                                                        {"3do\\key\\ky.pup", "z"}}));
  TGob directory;
  ASSERT_TRUE(directory.LoadFromFile(gob));
  EXPECT_EQ(ContainerPuppetRows(directory), (std::vector<std::string>{"ky.pup", "Other.PUP"}));
  TGobItem item;
  ASSERT_TRUE(FindContainerPuppet(directory, "KY.pup", item));
  const std::vector<TMove> based = {{"stand", "kystand.key", 0u, 1, 2},
                                    {"walk", "kyrun.key", 0x28u, 3, 4},
                                    {"fire", "none", 0u, 0, 0},
                                    {"fire2", "kystand.key", 0u, 0, 0}};
  for (const TPuppet& puppet : {ReadPuppetFile(dir.Write("ky.pup", ThreeModePuppet())),
                                ReadPuppetEntry(item), ReadPuppetNamed(gob + ":misc/pup/ky.pup")}) {
    ASSERT_EQ(puppet.Modes.size(), 3u);
    EXPECT_EQ((std::tuple{puppet.Modes[0].Mode, puppet.Modes[0].BasedOn}), (std::tuple{0, -1}));
    EXPECT_EQ(Moves(puppet.Modes[0]), (std::vector<TMove>{{"stand", "kystand.key", 0u, 1, 2},
                                                          {"walk", "kywalk.key", 0x14u, 1, 1},
                                                          {"fire", "none", 0u, 0, 0}}));
    EXPECT_EQ((std::tuple{puppet.Modes[1].Mode, puppet.Modes[1].BasedOn}), (std::tuple{1, 0}));
    EXPECT_EQ(Moves(puppet.Modes[1]), based);
    EXPECT_EQ((std::tuple{puppet.Modes[2].Mode, puppet.Modes[2].BasedOn}), (std::tuple{2, 1}));
    EXPECT_EQ(Moves(puppet.Modes[2]), based);
    ASSERT_EQ(puppet.Joints.size(), 2u);
    EXPECT_EQ((std::tuple{puppet.Joints[0].BodyPart, puppet.Joints[0].Node,
                          puppet.Joints[1].BodyPart, puppet.Joints[1].Node, puppet.IgnoredLines}),
              (std::tuple{0, 2, 1, 5, 2}));
  }
  // A mode started again goes on in its record; one based on a mode not yet
  // read starts empty.
  const TPuppet again = ReadPuppetFile(
      dir.Write("again.pup", "mode=3, basedon=7\nrun a.key\nmode=5\nmode=3\nrun b.key\n"));
  ASSERT_EQ(again.Modes.size(), 2u);
  EXPECT_EQ(again.Modes[0].BasedOn, 7);
  EXPECT_EQ(Moves(again.Modes[0]), (std::vector<TMove>{{"run", "b.key", 0u, 0, 0}}));
}

// Each file refused with what is wrong, after "bad.pup".
TEST(PuppetReader, HostileFilesAreRefusedWithWhatIsWrong) {
  const struct {
    const char* Case;
    std::string Text;
    const char* Says;
  } cases[] = {
      {"MoveBeforeMode", "# moves\nstand a.key\n", ", line 2: 'stand' comes before any \"mode=N\""},
      {"ModeTooFar", "mode=64\n", ", line 1: The mode '64' is not a whole number from 0 to 63"},
      {"ModeNoNumber", "mode=one\n", ", line 1: The mode 'one' is not a whole number from 0 to 63"},
      {"BasedOnFar", "mode=1, basedon=-1\n",
       ", line 1: basedon '-1' is not a whole number from 0 to 63"},
      {"ModeWords", "mode=1, based=0\n", ", line 1: \"mode=N\" or \"mode=N, basedon=M\" expected"},
      {"NoKey", "mode=0\n  STAND  # none\n", ", line 2: 'stand' names no KEY"},
      {"FlagsNoHex", "mode=0\nstand a.key 0xzz\n",
       ", line 2: FLAGS '0xzz' is not a hexadecimal number of 32 bits"},
      {"FlagsTooWide", "mode=0\nstand a.key 1ffffffff\n",
       ", line 2: FLAGS '1ffffffff' is not a hexadecimal number of 32 bits"},
      {"LowNoNumber", "mode=0\nstand a.key 0 x\n",
       ", line 2: LOWPRI 'x' is not a whole number from -2147483648 to "
       "2147483647"},
      {"HighTooFar", "mode=0\nstand a.key 0 1 99999999999\n",
       ", line 2: HIPRI '99999999999' is not a whole number from -2147483648 "
       "to 2147483647"},
      {"JointsOpen", "mode=0\njoints\n0=1\n",
       ": the file ends before the \"end\" of the joints of line 2"},
      {"BodyPartFar", "joints\n10=1\nend\n",
       ", line 2: The body part '10' is not a whole number from 0 to 9"},
      {"NodeFar", "joints\n0=4096\nend\n",
       ", line 2: The node '4096' is not a whole number from 0 to 4095"},
      {"JointAlone", "joints\n3\nend\n", ", line 2: \"bodypart=node\" expected"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    const TTempDir dir;
    ExpectThrowWhat<EParserError>([&] { ReadPuppetFile(dir.Write("bad.pup", c.Text)); },
                                  std::string("bad.pup") + c.Says);
  }
  // Gigabytes of holes end the text at their first zero byte.
  const TTempDir dir;
  const std::string sparse = dir.Write("sparse.pup", "mode=0\nstand a.key\n");
  std::filesystem::resize_file(sparse, uint64_t{5} << 30);
  EXPECT_EQ(ReadPuppetFile(sparse).Modes.at(0).Submodes.size(), 1u);
  EXPECT_THROW(ReadPuppetFile(dir.File("missing.pup")), EInOutError);
}

TEST(PuppetKeys, AKeyIsFoundBesideTheModelInItsKeyFolderAndInContainers) {
  const TTempDir dir;
  const std::string model = dir.Write("ships/fighter.3do", "x");
  dir.Write("ships/Beside.KEY", "k");
  dir.Write("ships/Key/folder.key", "k");
  const std::string modelGob =
      dir.Write("model.gob", MakeGob({{"3do\\fighter.3do", "x"}, {"3do\\key\\inmodel.key", "k"}}));
  const std::string pupGob = dir.Write("pup.gob", MakeGob({{"misc\\pup\\ky.pup", "p"},
                                                           {"3do\\key\\inpup.key", "k"},
                                                           {"3do\\key\\beside.key", "k"}}));
  const std::string listed =
      dir.Write("listed.gob", MakeGob({{"3do\\key\\listed.key", "k"}, {"key\\loose.key", "k"}}));
  const std::string damaged = dir.Write("damaged.gob", "GOB junk");
  const TColormapPlace pupFile{dir.File("ky.pup"), "", 0, UINT64_MAX};
  const TColormapPlace pupEntry{pupGob, "misc\\pup\\ky.pup", 0, 1};
  const std::string inGob = modelGob + " > 3do\\fighter.3do";
  const std::vector<std::string> containers = {damaged, listed};
  const struct {
    const char* Key;
    std::string Model;
    const TColormapPlace& Puppet;
    std::string Path, Entry;  // empty Path: not found
  } rows[] = {
      {"beside.key", model, pupEntry, dir.File("ships/Beside.KEY"),
       ""},  // before the puppet's container
      {"FOLDER.key", model, pupFile, dir.File("ships/Key/folder.key"), ""},
      {"inpup.key", model, pupEntry, pupGob, "3do\\key\\inpup.key"},
      {"inpup.key", model, pupFile, "", ""},
      {"listed.key", model, pupFile, listed, "3do\\key\\listed.key"},
      {"inmodel.key", inGob, pupFile, modelGob, "3do\\key\\inmodel.key"},
      {"beside.key", inGob, pupFile, "", ""},  // a model from a container has no folder
      {"loose.key", model, pupFile, "", ""},   // the game looks in 3do\key\ only
      {"..\\fighter.3do", dir.File("ships/key/x.3do"), pupFile, "", ""},
      {"none", model, pupFile, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.Key) + " for " + row.Model);
    const std::optional<TColormapPlace> place =
        FindPuppetKey(row.Key, row.Model, row.Puppet, containers);
    ASSERT_EQ(place.has_value(), !row.Path.empty());
    if (place) {
      EXPECT_EQ((std::tuple{place->Path, place->Entry}), (std::tuple{row.Path, row.Entry}));
    }
  }
}

}  // namespace
