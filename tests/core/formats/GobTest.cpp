#include <tuple>

#include "model/Text.h"
#include "formats/FileIO.h"
#include "model/Errors.h"
#include "tests/core/TestCore.h"
#include "tests/core/FormatBytes.h"

using namespace fmt_test;

namespace {

std::vector<std::string> Names(const TGob& gob) {
  std::vector<std::string> names;
  for (int i = 0; i < gob.Count(); ++i) names.push_back(gob.Entry(i).Name);
  return names;
}

TEST(Gob, DirectoryIsReadTrimmedAndSortedWithoutRegardToCaseAndOnlyFromAContainer) {
  TTempDir dir;
  std::string leftover = std::string("3do\\a.3do") + '\0' + "junk after the end" + std::string(3, '\0') + "  ";
  const std::string path = dir.Write("res.gob", MakeGob({{"mat\\Zed.mat", "zz"},
                                                          {leftover, "model"},
                                                          {"MAT\\b.mat", "bbb"},
                                                          {"3do\\B.3do  \t", ""}}));
  ::chmod(path.c_str(), 0444);  // containers of a read-only installation open too
  TGob gob;
  ASSERT_TRUE(gob.LoadFromFile(path));
  EXPECT_EQ(gob.FileName, path);
  EXPECT_EQ(Names(gob), (std::vector<std::string>{"3do\\a.3do", "3do\\B.3do", "MAT\\b.mat", "mat\\Zed.mat"}));
  TGobItem item;
  gob.GetEntry(0, item);
  EXPECT_EQ((std::tuple{item.ContainerName, item.EntryName, EntryBytes(item)}), (std::tuple{path, "3do\\a.3do", "model"}));
  gob.GetEntry(3, item);
  EXPECT_EQ(EntryBytes(item), "zz");
  for (int index : {4, -1}) ExpectThrowWhat<EListError>([&] { gob.GetEntry(index, item); }, "File list out of bounds.");
  // A missing path keeps the previous directory.
  EXPECT_FALSE(gob.LoadFromFile(dir.File("missing.gob")));
  EXPECT_EQ((std::tuple{gob.Count(), gob.FileName}), (std::tuple{4, path}));
  std::string negative = MakeGob({});
  Set32(negative, 12, 0xFFFFFFFFu);
  // An empty or negative count is an empty directory; other files are no containers.
  for (const auto& [content, ok] : std::vector<std::pair<std::string, bool>>{
           {MakeGob({}), true}, {negative, true}, {"plain text, not a container", false}, {"", false}}) {
    ASSERT_TRUE(gob.LoadFromFile(path));
    EXPECT_EQ(gob.LoadFromFile(dir.Write("other.gob", content)), ok) << content;
    EXPECT_EQ(gob.Count(), 0) << content;
  }
  // Leftover bytes after a zero in a name's first place make no name.
  ASSERT_TRUE(gob.LoadFromFile(dir.Write("nameless.gob", MakeGob({{std::string("\0junk", 5), "x"}}))));
  EXPECT_EQ(Names(gob), std::vector<std::string>{""});
}

TEST(Gob, PathPartsUseEverySeparator) {
  for (const char* path : {"3do\\a.3do", "c:a.3do", "x/y/a.3do", "a.3do"}) EXPECT_EQ(FileNamePart(path), "a.3do");
  EXPECT_EQ((std::vector<std::string_view>{ExtensionPart("3do\\a.3DO"), ExtensionPart("a.b\\c"), ExtensionPart("noext")}),
            (std::vector<std::string_view>{".3DO", "", ""}));
}

// Model rows list every folder and open from the model folder; FindFile matches the file
// name alone, and the last match in directory order wins.
TEST(Gob, ModelRowsAndFileNamesFindTheirEntries) {
  TTempDir dir;
  TGob gob;
  ASSERT_TRUE(gob.LoadFromFile(dir.Write("m.goo", MakeGob({{"3do\\a.3do", "A"},
                                                            {"mat\\a.3do", "M"},
                                                            {"3do\\B.3DO", "B"},
                                                            {"3do\\x.3do\\readme", "R"},
                                                            {"mat\\c.mat", "C"},
                                                            {"misc\\only.3do", "O"},
                                                            {"mat\\x.mat", "second"},
                                                            {"3do\\mat\\x.mat", "first"},
                                                            {"y.mat", "y"}}))));
  EXPECT_EQ(ContainerModelRows(gob), (std::vector<std::string>{"a.3do", "B.3DO", "a.3do", "only.3do"}));
  TGobItem item;
  ASSERT_TRUE(FindContainerModel(gob, "a.3do", item));
  EXPECT_EQ(EntryBytes(item), "A");
  ASSERT_TRUE(FindContainerModel(gob, "b.3do", item));
  EXPECT_EQ(item.EntryName, "3do\\B.3DO");
  EXPECT_FALSE(FindContainerModel(gob, "only.3do", item));  // not in the model folder
  EXPECT_FALSE(FindContainerModel(gob, "", item));
  ASSERT_TRUE(gob.FindFile("X.MAT", item));
  EXPECT_EQ((std::tuple{item.EntryName, EntryBytes(item)}), (std::tuple{"mat\\x.mat", "second"}));
  ASSERT_TRUE(gob.FindFile("y.mat", item));
  EXPECT_FALSE(gob.FindFile("mat", item));
  EXPECT_EQ((std::tuple{item.Offset, item.Length, item.ContainerName, item.EntryName}),
            (std::tuple{0xFFFFFFFFu, 0xFFFFFFFFu, gob.FileName, ""}));
}

TEST(ContainerModel, ModelIsReadFromItsEntryWholeUpToAZeroByteAndNamedAfterIt) {
  TTempDir dir;
  TTestCore t;
  const std::string text = ReadWholeFile(ZARN_SAMPLES_DIR "/fighter.3do");
  // Padded beyond half a megabyte with a comment, a model is still read whole.
  const std::string big = text + "#" + std::string(600000, 'x') + "\n";
  const std::string cut = text.substr(0, text.find("HIERARCHYDEF")) + std::string(1, '\0') + text;
  const std::string path = dir.Write("res.gob", MakeGob({{"mat\\x.mat", "junk"},
                                                         {"3do\\fighter.3do", text},
                                                         {"3do\\big.3do", big},
                                                         {"3do\\cut.3do", cut}}));
  t.Core.ResourceList = {"other.gob"};
  for (const std::string name : {"fighter.3do", "big.3do"}) {
    t.Model().Clear();
    ASSERT_TRUE(Load3DOEntry(t.Model(), FoundEntry(path, name)));
    EXPECT_TRUE(t.Services.Errors.empty()) << t.Services.Errors.front();
    EXPECT_EQ((std::tuple{t.Model().Nodes.Count(), t.Model().FileName}), (std::tuple{6, path + " > 3do\\" + name}));
  }
  EXPECT_EQ(t.Core.ResourceList, std::vector<std::string>{"other.gob"});
  t.Model().Clear();
  EXPECT_FALSE(Load3DOEntry(t.Model(), FoundEntry(path, "cut.3do")));
  ASSERT_EQ(t.Services.Errors.size(), 1u);  // the hierarchy lay after the zero byte
  EXPECT_EQ(t.Model().Nodes.Count(), 0);
}

}  // namespace
