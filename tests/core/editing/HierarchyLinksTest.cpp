// The child, sibling and child-count links the game walks: derived from the parents by every
// path that writes a file, keeping a file's own order of children where it agrees.

#include <array>

#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"
#include "editing/Step.h"
#include "editing/ToolEdits.h"

namespace {

// One hierarchy row's link columns: parent, child, sibling, child count.
using TRow = std::array<int, 4>;

// A model without meshes whose hierarchy rows hold `rows`.
std::string ModelText(const std::vector<TRow>& rows) {
  std::string s =
      "SECTION: HEADER\n3DO 2.1\nSECTION: MODELRESOURCE\nMATERIALS 0\nSECTION: GEOMETRYDEF\nRADIUS 0\n"
      "INSERT OFFSET 0 0 0\nGEOSETS 1\nGEOSET 0\nMESHES 0\nSECTION: HIERARCHYDEF\nHIERARCHY NODES " +
      std::to_string(rows.size()) + "\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    s += std::to_string(i) + ": 0x0 0x1 -1";
    for (int link : rows[i]) s += " " + std::to_string(link);
    s += " 0 0 0 0 0 0 0 0 0 n" + std::to_string(i) + "\n";
  }
  return s;
}

// The link columns of every hierarchy row of a written file.
std::vector<TRow> WrittenRows(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line) && line.rfind("HIERARCHY NODES", 0) != 0) {
  }
  std::vector<TRow> rows;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string label, flags, type, mesh;
    TRow r{};
    if (fields >> label >> flags >> type >> mesh >> r[0] >> r[1] >> r[2] >> r[3]) rows.push_back(r);
  }
  return rows;
}

// Each file's link columns, those written, and how many nodes the output line counts as
// contradicting their parents (0: no line).
TEST(LinksOnSave, WrittenFromTheParentsKeepingAgreeingChains) {
  const struct { const char* Name; std::vector<TRow> File, Written; int Contradicted; } cases[] = {
      // The root's children in the order 3, 1, 2, which its chain gives.
      {"AgreeingChainKeepsItsOrder",
       {{-1, 3, -1, 3}, {0, -1, 2, 0}, {0, -1, -1, 0}, {0, -1, 1, 0}},
       {{-1, 3, -1, 3}, {0, -1, 2, 0}, {0, -1, -1, 0}, {0, -1, 1, 0}}, 0},
      {"NoLinksAtAll",
       {{-1, -1, -1, 0}, {0, -1, -1, 0}, {0, -1, -1, 0}, {1, -1, -1, 0}},
       {{-1, 1, -1, 2}, {0, 3, 2, 1}, {0, -1, -1, 0}, {1, -1, -1, 0}}, 2},
      {"ChainRunsIntoAnotherParentsChild",
       {{-1, 1, -1, 2}, {0, 2, 2, 1}, {1, -1, -1, 0}, {0, -1, -1, 0}},
       {{-1, 1, -1, 2}, {0, 2, 3, 1}, {1, -1, -1, 0}, {0, -1, -1, 0}}, 1},
      {"CountTooSmall", {{-1, 1, -1, 1}, {0, -1, 2, 0}, {0, -1, -1, 0}}, {{-1, 1, -1, 2}, {0, -1, 2, 0}, {0, -1, -1, 0}}, 1},
      {"ChildCountOnALeaf", {{-1, 1, -1, 1}, {0, -1, -1, 4}}, {{-1, 1, -1, 1}, {0, -1, -1, 0}}, 1},
      {"SiblingChainLoops", {{-1, 1, -1, 2}, {0, -1, 2, 0}, {0, -1, 1, 0}}, {{-1, 1, -1, 2}, {0, -1, 2, 0}, {0, -1, -1, 0}}, 0},
      {"TwoRootsFollowEachOther", {{-1, -1, -1, 0}, {-1, 2, -1, 1}, {1, -1, -1, 0}}, {{-1, -1, 1, 0}, {-1, 2, -1, 1}, {1, -1, -1, 0}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const fmt_test::TTempDir dir;
    TTestCore t;
    ASSERT_TRUE(Load3DOFile(t.Model(), dir.Write("in.3do", ModelText(c.File))));
    EXPECT_TRUE(t.Services.Output.empty());
    const std::string said = "The child and sibling links of " + std::to_string(c.Contradicted) +
                             " nodes contradicted their parents; they were written as the parents give them";
    // Said once: the next save of the same model is silent.
    for (const char* out : {"out.3do", "again.3do"}) {
      Save3DOFile(t.Model(), dir.File(out));
      EXPECT_EQ(WrittenRows(dir.File(out)), c.Written);
      EXPECT_EQ(t.Services.Output, c.Contradicted ? std::vector{said} : std::vector<std::string>{});
    }
  }
}

// Reparenting without any window: the written links follow the new parents, the moved node
// last among its new siblings, its old siblings keeping their order.
TEST(LinksAfterEditing, HeadlessReparentWritesAgreeingLinks) {
  const fmt_test::TTempDir dir;
  TTestCore t;
  // Root 0 with children 3, 1, 2 (chain order); 4 under 1.
  ASSERT_TRUE(Load3DOFile(t.Model(), 
      dir.Write("in.3do", ModelText({{-1, 3, -1, 3}, {0, 4, 2, 1}, {0, -1, -1, 0}, {0, -1, 1, 0}, {1, -1, -1, 0}}))));
  t.Core.ResetHistory();
  const TOwnedNodes& n = t.Model().Nodes;
  for (const auto& [node, parent] : {std::pair{n[1], n[2]}, std::pair{n[4], n[0]}})
    RunStep(t.Core, "Reparent Node", [&] {
      ReparentNode(*node, parent);
      return TCommandResult{};
    });
  Save3DOFile(t.Model(), dir.File("out.3do"));
  EXPECT_EQ(WrittenRows(dir.File("out.3do")),
            (std::vector<TRow>{{-1, 3, -1, 3}, {2, -1, -1, 0}, {0, 1, 4, 1}, {0, -1, 2, 0}, {0, -1, -1, 0}}));
  t.Core.Undo();
  t.Core.Undo();
  Save3DOFile(t.Model(), dir.File("undone.3do"));
  EXPECT_EQ(WrittenRows(dir.File("undone.3do")),
            (std::vector<TRow>{{-1, 3, -1, 3}, {0, 4, 2, 1}, {0, -1, -1, 0}, {0, -1, 1, 0}, {1, -1, -1, 0}}));
}

// Every path that writes an unchanged model writes the same hierarchy: convert, and edit with
// no steps, on files whose links agree and on files whose links contradict their parents.
TEST(LinksAfterEditing, ConvertAndEditWriteTheSameHierarchy) {
  const fmt_test::TTempDir dir;
  const std::vector<std::string> inputs = {
      std::string(ZARN_SAMPLES_DIR) + "/fighter.3do",
      dir.Write("agree.3do", ModelText({{-1, 3, -1, 3}, {0, -1, 2, 0}, {0, -1, -1, 0}, {0, -1, 1, 0}})),
      dir.Write("contradict.3do", ModelText({{-1, -1, 1, 0}, {-1, 2, -1, 0}, {0, -1, -1, 0}, {1, -1, 0, 0}})),
  };
  for (const std::string& in : inputs) {
    const TCliRun convert = RunCli({"convert", in, dir.File("c.3do")});
    const TCliRun edit = RunCli({"edit", in, dir.File("e.3do")});
    ASSERT_EQ(convert.Status, 0) << convert.Out;
    ASSERT_EQ(edit.Status, 0) << edit.Out;
    EXPECT_EQ(WrittenRows(dir.File("c.3do")), WrittenRows(dir.File("e.3do"))) << in;
    EXPECT_FALSE(WrittenRows(dir.File("c.3do")).empty()) << in;
  }
}

}  // namespace
