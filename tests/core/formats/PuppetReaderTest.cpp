// Puppets read from files and containers, refused when damaged, and the KEYs they name found
// where the game and a user keep them.

#include "formats/ContainerKeys.h"
#include "formats/PuppetKeys.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "model/PuppetSummary.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/PuppetFiles.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;

namespace {

TEST(PuppetReader, ReadsModesTheirMovesAndJointsFromAFileAndAContainer) {
  const TTempDir dir;
  const std::string gob = dir.Write("res.gob", MakeGob({{"misc\\pup\\ky.pup", pup_test::ThreeModePuppet()},
                                                        {"misc\\PUP\\B.PUP", "x"}, {"misc\\pup\\old\\c.pup", "y"}}));
  TGob directory;
  ASSERT_TRUE(directory.LoadFromFile(gob));
  EXPECT_EQ(ContainerPuppetRows(directory), (std::vector<std::string>{"B.PUP", "ky.pup"}));
  TGobItem item;
  ASSERT_TRUE(FindContainerPuppet(directory, "KY.pup", item));
  const std::string based = "    stand         kystand.key flags 0x0 priority 1/2\n"
                            "    walk          kyrun.key flags 0x28 priority 3/4\n"
                            "    fire          none flags 0x0 priority 0/0\n"
                            "    fire2         kystand.key flags 0x0 priority 0/0\n";
  const std::string summary = "modes: 3\n  mode 0: 3 moves\n"
                              "    stand         kystand.key flags 0x0 priority 1/2\n"
                              "    walk          kywalk.key flags 0x14 priority 1/1\n"
                              "    fire          none flags 0x0 priority 0/0\n"
                              "  mode 1 (based on 0): 4 moves\n" + based + "  mode 2 (based on 1): 4 moves\n" +
                              based + "joints: 2\n  body part 0: node 2\n  body part 1: node 5\nignored lines: 2\n";
  EXPECT_EQ(PuppetSummary(ReadPuppetFile(dir.Write("ky.pup", pup_test::ThreeModePuppet()))), summary);
  EXPECT_EQ(PuppetSummary(ReadPuppetEntry(item)), summary);
  // A mode started again goes on in its record; one based on a mode not yet read starts empty.
  EXPECT_EQ(PuppetSummary(ReadPuppetFile(dir.Write("a.pup", "mode=3,basedon=7\nrun a\nmode=5\nmode=3\nrun b\n"))),
            "modes: 2\n  mode 3 (based on 7): 1 moves\n    run           b flags 0x0 priority 0/0\n"
            "  mode 5: 0 moves\njoints: 0\n");
}

// Each file refused with what is wrong, after "bad.pup, line N: ".
TEST(PuppetReader, HostileFilesAreRefusedWithWhatIsWrong) {
  const std::string whole = "is not a whole number from ", any = "-2147483648 to 2147483647";
  const std::pair<std::string, std::string> cases[] = {
      {"# moves\nstand a.key\n", "2: 'stand' comes before any \"mode=N\""},
      {"mode=64\n", "1: The mode '64' " + whole + "0 to 63"},
      {"mode=1, basedon=-1\n", "1: basedon '-1' " + whole + "0 to 63"},
      {"mode=1, based=0\n", "1: \"mode=N\" or \"mode=N, basedon=M\" expected"},
      {"mode=0\n  STAND  # none\n", "2: 'stand' names no KEY"},
      {"mode=0\nrun a 1ffffffff\n", "2: FLAGS '1ffffffff' is not a hexadecimal number of 32 bits"},
      {"mode=0\nrun a 0 x\n", "2: LOWPRI 'x' " + whole + any},
      {"mode=0\nrun a 0 1 99999999999\n", "2: HIPRI '99999999999' " + whole + any},
      {"joints\n10=1\nend\n", "2: The body part '10' " + whole + "0 to 9"},
      {"joints\n0=4096\nend\n", "2: The node '4096' " + whole + "0 to 4095"},
      {"joints\n3\nend\n", "2: \"bodypart=node\" expected"},
  };
  const TTempDir dir;
  for (const auto& [text, says] : cases) {
    SCOPED_TRACE(text);
    ExpectThrowWhat<EParserError>([&] { ReadPuppetFile(dir.Write("bad.pup", text)); }, "bad.pup, line " + says);
  }
  ExpectThrowWhat<EParserError>([&] { ReadPuppetFile(dir.Write("bad.pup", "mode=0\njoints\n0=1\n")); },
                                "bad.pup: the file ends before the \"end\" of the joints of line 2");
  EXPECT_THROW(ReadPuppetFile(dir.File("missing.pup")), EInOutError);
}

TEST(PuppetKeys, AKeyIsFoundBesideTheModelInItsKeyFolderAndInContainers) {
  const TTempDir dir;
  const std::string model = dir.Write("ships/fighter.3do", "x"), beside = dir.Write("ships/Beside.KEY", "k");
  const std::string folder = dir.Write("ships/Key/folder.key", "k");
  const std::string own = dir.Write("own.gob", MakeGob({{"3do\\a.3do", "x"}, {"3do\\key\\own.key", "k"}}));
  const std::string pups =
      dir.Write("pup.gob", MakeGob({{"3do\\key\\inpup.key", "k"}, {"3do\\key\\beside.key", "k"}}));
  const std::string listed = dir.Write("listed.gob", MakeGob({{"3do\\key\\listed.key", "k"}, {"key\\no.key", "k"}}));
  const TColormapPlace file{dir.File("ky.pup"), "", 0, UINT64_MAX}, entry{pups, "misc\\pup\\ky.pup", 0, 1};
  const std::vector<std::string> containers = {dir.Write("damaged.gob", "GOB junk"), listed};
  const std::string inGob = own + " > 3do\\a.3do", in = "3do\\key\\";
  const struct { const char* Key; std::string Model; const TColormapPlace& Puppet; std::string Path, Entry; } rows[] = {
      {"beside.key", model, entry, beside, ""},  // before the puppet's container
      {"FOLDER.key", model, file, folder, ""},
      {"inpup.key", model, entry, pups, in + "inpup.key"},
      {"inpup.key", model, file, "", ""},
      {"listed.key", model, file, listed, in + "listed.key"},
      {"own.key", inGob, file, own, in + "own.key"},
      {"beside.key", inGob, file, "", ""},  // a model from a container has no folder
      {"no.key", model, file, "", ""},      // the game looks in 3do\key\ only
      {"..\\fighter.3do", dir.File("ships/key/x.3do"), file, "", ""},
      {"none", model, file, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.Key) + " for " + row.Model);
    const std::optional<TColormapPlace> place = FindPuppetKey(row.Key, row.Model, row.Puppet, containers);
    EXPECT_EQ(place ? place->Path + "|" + place->Entry : "", row.Path.empty() ? "" : row.Path + "|" + row.Entry);
  }
}

}  // namespace
