// Writing containers with zarn-cli pack: what it writes lists and reads back byte for byte,
// --update keeps every other entry as it was, and nothing is written over a container that
// does not read or in place of a file that could not be written whole.

#include <algorithm>

#include "formats/FileIO.h"
#include "formats/GobWriter.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestSupport.h"

using namespace fmt_test;

namespace {

// Every entry of the container: name and bytes, in directory order.
std::vector<std::pair<std::string, std::string>> Entries(const std::string& path) {
  TGob gob;
  EXPECT_TRUE(gob.LoadFromFile(path)) << path;
  std::vector<std::pair<std::string, std::string>> out;
  for (int i = 0; i < gob.Count(); ++i) {
    TGobItem item;
    gob.GetEntry(i, item);
    out.emplace_back(item.EntryName, EntryBytes(item));
  }
  return out;
}

// Bytes of every value, so that a lost or shifted byte shows.
std::string AllBytes(size_t size, int seed) {
  std::string data(size, '\0');
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7 + static_cast<size_t>(seed) * 13) & 0xFF);
  return data;
}

size_t FilesIn(const std::string& dir) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(GobWriter, PackNamesEntriesByKindAndListReadsThemBackByteForByte) {
  const TTempDir dir;
  const std::string out = dir.File("out.gob");
  ASSERT_EQ(RunCli({"pack", out, dir.Write("in/Ship.3do", "3DO text"), dir.Write("in/hull.MAT", AllBytes(70000, 1)),
                    dir.Write("in/walk.key", "key"), dir.Write("in/dflt.cmp", AllBytes(17000, 2)),
                    dir.Write("in/empty.mat", ""), "--as", "misc\\notes.txt", dir.Write("in/notes.txt", "notes")})
                .Out,
            "");
  EXPECT_EQ(Entries(out), (std::vector<std::pair<std::string, std::string>>{
                              {"3do\\key\\walk.key", "key"},
                              {"3do\\Ship.3do", "3DO text"},
                              {"mat\\empty.mat", ""},
                              {"mat\\hull.MAT", AllBytes(70000, 1)},
                              {"misc\\cmp\\dflt.cmp", AllBytes(17000, 2)},
                              {"misc\\notes.txt", "notes"},
                          }));
  // As written, in the order given, offsets counted from the start of the file.
  EXPECT_EQ(RunCli({"list", out}).Out,
            "3do\\key\\walk.key\t" + std::to_string(16 + 6 * 136 + 8 + 70000) + "\t3\n"
            "3do\\Ship.3do\t832\t8\n"
            "mat\\empty.mat\t" + std::to_string(16 + 6 * 136 + 8 + 70000 + 3 + 17000) + "\t0\n"
            "mat\\hull.MAT\t840\t70000\n"
            "misc\\cmp\\dflt.cmp\t" + std::to_string(16 + 6 * 136 + 8 + 70000 + 3) + "\t17000\n"
            "misc\\notes.txt\t" + std::to_string(16 + 6 * 136 + 8 + 70000 + 3 + 17000) + "\t5\n");
}

TEST(GobWriter, UpdateOfAThousandEntriesKeepsTheOtherNineHundredNinetyNine) {
  const TTempDir dir;
  std::vector<TEntrySpec> specs;
  for (int i = 0; i < 1000; ++i) specs.push_back({"mat\\m" + std::to_string(i) + ".mat", AllBytes(static_cast<size_t>(i % 97), i)});
  const std::string gob = dir.Write("res.gob", MakeGob(specs));
  const auto before = Entries(gob);
  const TCliRun run =
      RunCli({"pack", "--update", gob, dir.Write("M500.mat", AllBytes(3000, 9)), dir.Write("new.3do", "model")});
  ASSERT_EQ(run.Status, 0) << run.Out;
  const auto after = Entries(gob);
  ASSERT_EQ(after.size(), 1001u);
  EXPECT_EQ(std::count_if(before.begin(), before.end(),
                          [&](const auto& entry) { return std::find(after.begin(), after.end(), entry) != after.end(); }),
            999);
  const auto m500 = std::find_if(after.begin(), after.end(), [](const auto& e) { return e.first == "mat\\m500.mat"; });
  ASSERT_NE(m500, after.end()) << "the entry keeps its name as stored";
  EXPECT_EQ(m500->second, AllBytes(3000, 9));
  EXPECT_NE(std::find(after.begin(), after.end(), std::pair<std::string, std::string>{"3do\\new.3do", "model"}), after.end());
  EXPECT_EQ(FilesIn(dir.Path), 3u) << "no temporary file stays";
}

TEST(GobWriter, NothingIsWrittenOverWhatDoesNotReadOrWithABadCommandLine) {
  const TTempDir dir;
  const std::string good = MakeGob({{"mat\\a.mat", "aaaa"}});
  std::string beyond = good;
  Set32(beyond, 20, 4000);  // the entry's length reaches past the end of the file
  const std::string file = dir.Write("a.mat", "new");
  const std::string longName(128, 'n');
  const struct {
    std::string Before;  // the container's bytes before the run; empty: no container
    std::vector<std::string> Args;  // after "pack"; "@" stands for the container
    int Status;
    std::string Out;  // how standard error begins
  } rows[] = {
      {"plain text, not a container", {"--update", "@", file}, 1,
       "zarn-cli: '" + dir.File("res.gob") + "' is not a GOB/GOO container; it was left as it was\n"},
      {beyond, {"--update", "@", file}, 1, "zarn-cli: Damaged container"},
      {"GOB " + std::string(8, '\0') + "\xFF\xFF\xFF\x7F", {"--update", "@", file}, 1, "zarn-cli: Damaged container"},
      {"", {"--update", "@", file}, 1, "zarn-cli: File '"},
      {good, {"@", dir.File("missing.mat")}, 1, "zarn-cli: File '"},
      {good, {"@", "--as", longName, file}, 1, "zarn-cli: Cannot write container"},
      {"", {"@", "--as", "..\\..\\evil.3do", file}, 2, "zarn-cli: --as ..\\..\\evil.3do names no entry"},
      {good, {"@", file, "--as", "mat\\A.MAT", file}, 2, "zarn-cli: two files for the entry 'mat\\A.MAT'"},
      {good, {"@", dir.Write("x.txt", "x")}, 2, "zarn-cli: the game keeps no file of the kind"},
      {good, {"@", "--as"}, 2, "zarn-cli: --as takes a NAME"},
      {good, {"@", "--as", "a", "--as", "b", file}, 2, "zarn-cli: --as takes a NAME"},
      {good, {"@", "--frob", file}, 2, "zarn-cli: unknown option '--frob'"},
      {good, {"@"}, 2, "zarn-cli: usage: zarn-cli pack"},
      {good, {}, 2, "zarn-cli: usage: zarn-cli pack"},
  };
  for (const auto& row : rows) {
    const std::string gob = dir.File("res.gob");
    std::filesystem::remove(gob);
    if (!row.Before.empty()) dir.Write("res.gob", row.Before);
    std::vector<std::string> args{"pack"};
    for (const std::string& a : row.Args) args.push_back(a == "@" ? gob : a);
    SCOPED_TRACE(row.Out);
    const TCliRun run = RunCli(args);
    EXPECT_EQ(run.Status, row.Status);
    EXPECT_EQ(run.Out.substr(0, row.Out.size()), row.Out) << run.Out;
    if (row.Before.empty())
      EXPECT_FALSE(std::filesystem::exists(gob));
    else
      EXPECT_EQ(ReadWholeFile(gob), row.Before);
  }
  EXPECT_EQ(FilesIn(dir.Path), 3u) << "no temporary file stays";
}

TEST(GobWriter, EntryNamesFollowTheGamesFolders) {
  const struct { const char* Path; const char* Name; } rows[] = {
      {"a/b/ship.3do", "3do\\ship.3do"}, {"HULL.MAT", "mat\\HULL.MAT"}, {"c:\\x\\run.Key", "3do\\key\\run.Key"},
      {"pal.cmp", "misc\\cmp\\pal.cmp"}, {"x.3do.txt", ""},            {"noext", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(GameEntryName(row.Path), row.Name) << row.Path;
}

// A name given with --as: a bare name of a known kind goes into its kind's folder, where the
// game looks; a name that would let a tool unpacking the container write outside its folder
// is refused (and nothing is written, as the rows above show).
TEST(GobWriter, GivenNamesStayInsideTheContainerAndModelsInTheirFolder) {
  const struct {
    const char* Given;
    const char* Name;  // empty: refused
  } rows[] = {
      {"ship2.3do", "3do\\ship2.3do"}, {"HULL.MAT", "mat\\HULL.MAT"},   {"my/ship.3do", "my\\ship.3do"},
      {"notes.txt", "notes.txt"},     {"..\\..\\evil.3do", ""},       {"3do/../x.3do", ""},
      {"/abs.3do", ""},               {"\\abs.3do", ""},                {"c:\\x.3do", ""},
      {"a\\\\b.3do", ""},             {"3do\\", ""},                    {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(GivenEntryName(row.Given), row.Name) << row.Given;

  const TTempDir dir;
  const std::string model = ZARN_SAMPLES_DIR "/fighter.3do", gob = dir.File("out.gob");
  ASSERT_EQ(RunCli({"pack", gob, "--as", "ship2.3do", model}).Out, "");
  EXPECT_EQ(RunCli({"list", gob}).Out.substr(0, 14), "3do\\ship2.3do\t");
  EXPECT_EQ(RunCli({"check", gob, "ship2.3do"}).Out.find("Entry"), std::string::npos);

  // Put at the root by another tool, a model is found but warned of.
  const std::string root = dir.Write("root.gob", MakeGob({{"ship.3do", ReadWholeFile(model)}}));
  const TCliRun check = RunCli({"check", root, "ship.3do"});
  EXPECT_NE(check.Out.find("Warning: Entry 'ship.3do' lies outside 3do\\, where the game never looks for a model\n"),
            std::string::npos)
      << check.Out;
}

}  // namespace
