// Long work (big files read and written, commands over more than 100,000 objects) shows its
// progress, and that progress ends however the work ends; short work shows none.

#include <functional>

#include "editing/Actions.h"
#include "formats/ObjImport.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/editing/Grids.h"

namespace {

using fmt_test::TTempDir;

// A file that starts with the text and runs on as a hole up to `size` bytes, read as zeros.
std::string HoledFile(const TTempDir& dir, const std::string& name, const std::string& text, off_t size) {
  const std::string path = dir.Write(name, text);
  EXPECT_EQ(::truncate(path.c_str(), size), 0);
  return path;
}

void Do(TCore& core, const char* action) { FindEditAction(action)->Run(core); }

struct TCase {
  const char* Name;
  std::function<void(TTestCore&, const TTempDir&)> Work;
  std::vector<std::string> Shown;  // the texts of the work shown, in order
};

TEST(Progress, ShownForLongWorkOnlyAndAlwaysEnded) {
  const TTempDir dir;
  {
    // 44,521 vertices and 44,100 quads: more than 5 MB of text.
    TTestCore maker;
    AddGrid(maker.Model(), "grid", 210, 210);
    Save3DOFile(maker.Model(), dir.File("big.3do"));
  }
const std::vector<TCase> cases = {
      {"big model read and saved", [](TTestCore& t, const TTempDir& d) {
         EXPECT_TRUE(Load3DOFile(t.Model(), d.File("big.3do")));
         Save3DOFile(t.Model(), d.File("again.3do"));
       }, {"Reading", "Saving"}},
      {"small model read and saved", [](TTestCore& t, const TTempDir& d) {
         Load3DOFile(t.Model(), d.Write("small.3do", TriangleModelText()));
         Save3DOFile(t.Model(), d.File("small.3do"));
       }, {}},
      {"big file that breaks off", [](TTestCore& t, const TTempDir& d) {
         EXPECT_FALSE(Load3DOFile(t.Model(), HoledFile(d, "cut.3do", TriangleModelText().substr(0, 400), 6000000)));
       }, {"Reading"}},
      {"big container entry", [](TTestCore& t, const TTempDir& d) {
         std::string data = TriangleModelText();
         data.resize(6000000, '\0');
         TGobItem item;
         TGob gob;
         gob.LoadFromFile(d.Write("big.gob", fmt_test::MakeGob({{"3do\\big.3do", data}})));
         ASSERT_TRUE(gob.FindFile("big.3do", item));
         EXPECT_TRUE(Load3DOEntry(t.Model(), item));
       }, {"Reading"}},
      {"big OBJ, then one that breaks off, then a small one", [](TTestCore& t, const TTempDir& d) {
         std::string text;
         for (int i = 0; i < 200000; ++i) text += "v 0.000001 0.000002 0.000003\n";
         EXPECT_TRUE(ImportObj(t.Model(), d.Write("big.obj", text + "f 1 2 3\n")));
         EXPECT_FALSE(ImportObj(t.Model(), HoledFile(d, "cut.obj", "v 0 0 0\n", 6000000)));
         EXPECT_TRUE(ImportObj(t.Model(), d.Write("small.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n")));
       }, {"Importing", "Importing"}},
      {"commands over 103,041 vertices", [](TTestCore& t, const TTempDir&) {
         AddGrid(t.Model(), "grid", 320, 320);
         t.Core.EditMode = emVertex;
         t.Services.Answers = {{"X", "1"}};
         for (const char* action : {"actSelAll", "actEditTranslate", "actSelAll", "actEditDelete"}) Do(t.Core, action);
         EXPECT_EQ(t.Model().Nodes[0]->Mesh->Vertices.Count(), 0);
       }, {"Selecting", "Translate", "Clearing", "Selecting", "Deleting"}},
      {"commands over 102,400 faces", [](TTestCore& t, const TTempDir&) {
         AddGrid(t.Model(), "grid", 320, 320);
         t.Core.EditMode = emSurface;
         for (const char* action : {"actSelAll", "actEditFlipFace", "actSelInvert", "actSelInvert", "actEditExtrudeFace"})
           Do(t.Core, action);
       }, {"Selecting", "Flipping", "Selecting", "Selecting", "Extruding", "Deleting"}},
      {"nodes of 205,441 objects merged, copied and pasted", [](TTestCore& t, const TTempDir&) {
         AddMeshNode(t.Model(), "target", {{0, 0, 0}});
         AddGrid(t.Model(), "grid", 320, 320);
         for (const char* action : {"actSelAll", "actEditMerge", "actEditCopy", "actEditPaste"}) Do(t.Core, action);
       }, {"Merging", "Writing", "Pasting"}},
      {"commands over a few objects", [](TTestCore& t, const TTempDir&) {
         AddGrid(t.Model(), "grid", 2, 2);
         for (const char* action : {"actSelAll", "actSelInvert", "actEditCopy", "actEditPaste", "actEditDelete"})
           Do(t.Core, action);
       }, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTestCore t;
    c.Work(t, dir);
    const THeadlessServices& s = t.Services;
    std::vector<std::string> shown;
    for (const std::string& begun : s.ProgressBegun) shown.push_back(begun.substr(0, begun.find('/')));
    EXPECT_EQ(shown, c.Shown);
    EXPECT_EQ(s.ProgressEnded, static_cast<int>(s.ProgressBegun.size()));
    EXPECT_TRUE(s.ProgressTotals.empty());
    EXPECT_FALSE(s.ProgressMisused);
  }
}

}  // namespace
