// Which materials a save names: every one the file it came from named, in that file's order,
// and those added or used since; never "dflt.mat" held only because new faces needed a
// material. The game check asks for no default the file does not name (it numbers materials as
// the written file does in GameCheckTest).

#include "formats/FileIO.h"
#include "tests/core/CliRunner.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

// The MODELRESOURCE section of a written model, and the material number of its first face.
std::string MaterialSection(const std::string& text) {
  const size_t from = text.find("MATERIALS ");
  return from == std::string::npos ? "" : text.substr(from, text.find("\r\n\r\n", from) - from);
}

std::string FirstFaceMaterial(const std::string& text) {
  const size_t faces = text.find("FACES ");
  if (faces == std::string::npos) return "";
  const size_t row = text.find("0:  ", faces);
  return text.substr(row + 4, text.find(' ', row + 4) - row - 4);
}

TEST(DefaultMaterial, SavesNameTheMaterialsTheModelReallyHas) {
  const fmt_test::TTempDir dir;
  const std::string tri = dir.Write("tri.3do", TriangleModelText());
  const std::string gob = dir.Write("res.gob", fmt_test::MakeGob({{"3do\\tri.3do", TriangleModelText()}}));
  const std::string out = dir.File("out.3do");
  const struct {
    std::vector<std::string> Args;
    std::string Materials;  // the written list, lines joined by "|"
    std::string FirstFace;  // the material number of the first face
  } rows[] = {
      {{"convert", tri, out}, "MATERIALS 2|0:  stone.mat|1:  metal.mat", "1"},
      {{"convert", gob, "tri.3do", out}, "MATERIALS 2|0:  stone.mat|1:  metal.mat", "1"},
      // A new face takes the default, which is then written after the file's own.
      {{"edit", tri, out, "actPrimCube"},
       "MATERIALS 3|0:  stone.mat|1:  metal.mat|2:  dflt.mat", "1"},
      // The default given up by the only face that took it is not written.
      {{"edit", tri, out, "mode:vertex", "select:vertex:0-2", "actEditMakeSurface", "mode:surface", "select:surface:1",
        "prop:Material=stone.mat"},
       "MATERIALS 2|0:  stone.mat|1:  metal.mat", "1"},
      // Deleted while faces use it, it leaves a fresh one, which the next new faces take.
      {{"edit", tri, out, "actPrimCube", "material:delete:dflt.mat", "actPrimCube"},
       "MATERIALS 3|0:  stone.mat|1:  metal.mat|2:  dflt.mat", "1"},
      // Asked for by name, it stays though no face uses it.
      {{"edit", tri, out, "material:add:dflt.mat"}, "MATERIALS 3|0:  stone.mat|1:  metal.mat|2:  dflt.mat", "1"},
      // Any material so asked for stays too; one deleted, named in any case, is gone.
      {{"edit", tri, out, "material:add:extra.mat", "material:delete:METAL.MAT"},
       "MATERIALS 3|0:  stone.mat|1:  extra.mat|2:  dflt.mat", "2"},
      // The sample uses dflt.mat on faces of its own: named where the file named it.
      {{"convert", ZARN_SAMPLES_DIR "/fighter.3do", out}, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Args.back());
    std::filesystem::remove(out);
    const TCliRun run = RunCli(row.Args);
    ASSERT_EQ(run.Status, 0) << run.Out;
    const std::string written = ReadWholeFile(out);
    if (row.Materials.empty()) {
      EXPECT_EQ(MaterialSection(written), MaterialSection(ReadWholeFile(row.Args[1])));
      continue;
    }
    std::string section = MaterialSection(written);
    for (size_t at = section.find("\r\n"); at != std::string::npos; at = section.find("\r\n"))
      section.replace(at, 2, "|");
    EXPECT_EQ(section, row.Materials);
    EXPECT_EQ(FirstFaceMaterial(written), row.FirstFace);
  }
}

TEST(DefaultMaterial, TheCheckLeavesTheDefaultOut) {
  const fmt_test::TTempDir dir;
  const std::string mat = fmt_test::MakeColourMat(1);
  // The container holds the model's materials but no dflt.mat, as the game's own containers.
  const std::string gob = dir.Write("res.gob", fmt_test::MakeGob({{"3do\\tri.3do", TriangleModelText()},
                                                                  {"mat\\stone.mat", mat},
                                                                  {"mat\\metal.mat", mat}}));
  EXPECT_EQ(RunCli({"check", gob, "tri.3do"}).Status, 0);
}

// info, its JSON and every message name the materials a save writes: no "dflt.mat" that no
// face uses, however the model was read or last changed.
TEST(DefaultMaterial, InfoNamesWhatASaveWrites) {
  const fmt_test::TTempDir dir;
  const std::string tri = dir.Write("tri.3do", TriangleModelText());
  const std::string gob = dir.Write("res.gob", fmt_test::MakeGob({{"3do\\tri.3do", TriangleModelText()}}));
  dir.Write("stone.mtl", "newmtl stone\n");
  const std::string obj = dir.Write("all.obj", "mtllib stone.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl stone\nf 1 2 3\n");
  const std::string out = dir.File("out.3do");
  const struct {
    std::vector<std::string> Edit;  // run first when not empty
    std::vector<std::string> Info;  // info of a file, or of a container and its entry
    std::string Materials;          // info's names, joined by "|"
  } rows[] = {
      {{}, {"info", tri}, "stone.mat|metal.mat"},
      {{}, {"info", gob, "tri.3do"}, "stone.mat|metal.mat"},
      {{}, {"info", obj, "--materials"}, "stone.mat"},
      {{"edit", tri, out, "actPrimCube", "undo"}, {"info", out}, "stone.mat|metal.mat"},
      {{"edit", tri, out, "actViewLodAdd", "lod:1", "mode:surface", "select:all", "actEditFlipFace"}, {"info", out},
       "stone.mat|metal.mat"},
      {{"edit", tri, out, "actPrimCube"}, {"info", out}, "stone.mat|metal.mat|dflt.mat"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Materials + (row.Edit.empty() ? "" : " after " + row.Edit[3]));
    if (!row.Edit.empty()) {
      ASSERT_EQ(RunCli(row.Edit).Status, 0);
    }
    std::vector<std::string> info = row.Info;
    const TCliRun plain = RunCliApart(info);
    const size_t count = std::count(row.Materials.begin(), row.Materials.end(), '|') + 1;
    EXPECT_NE(plain.Out.find("materials: " + std::to_string(count) + "\n"), std::string::npos) << plain.Out;
    if (row.Materials.find("dflt.mat") == std::string::npos) {
      EXPECT_EQ(plain.Err.find("dflt.mat"), std::string::npos) << plain.Err;
    }
    info.insert(info.begin() + 1, "--json");
    const std::string json = RunCliApart(info).Out;
    std::string names;
    for (size_t at = json.find("\"name\":\""); at != std::string::npos; at = json.find("\"name\":\"", at + 1)) {
      const size_t from = at + 8;
      const std::string name = json.substr(from, json.find('"', from) - from);
      if (name.ends_with(".mat")) names += (names.empty() ? "" : "|") + name;
    }
    EXPECT_EQ(names, row.Materials);
  }
}

}  // namespace
