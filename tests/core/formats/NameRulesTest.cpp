// Material and mesh names: typed ones are refused unless they read back from a saved file as
// typed; those that arrive in an imported file are made safe, with one output line.

#include "formats/ObjImport.h"
#include "editing/MaterialEdits.h"
#include "editing/NodeName.h"
#include "editing/PropertyEdits.h"
#include "formats/NameRules.h"
#include "formats/ObjImportOptions.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestCore.h"

namespace {

// The output lines of a read, less those of materials looked up on disk.
std::vector<std::string> ReadLines(const TTestCore& t) {
  std::vector<std::string> lines;
  for (const std::string& line : t.Services.Output)
    if (line.rfind("Material not found", 0) != 0) lines.push_back(line);
  return lines;
}

// The first mesh's name, then the material of each of its faces.
std::vector<std::string> Names(const TModel& model) {
  std::vector<std::string> names{model.Nodes[0]->Mesh->Name};
  for (const TFace* face : model.Nodes[0]->Mesh->Surfaces) names.push_back(face->Material->Name);
  return names;
}

// The names of the model saved to `path` and read back, which tells nothing.
std::vector<std::string> NamesReadBack(TModel& model, const std::string& path) {
  Save3DOFile(model, path);
  TTestCore back;
  EXPECT_TRUE(Load3DOFile(back.Model(), path));
  EXPECT_TRUE(ReadLines(back).empty());
  return Names(back.Model());
}

TEST(NameRules, UnsafeCharactersBecomeUnderscoresAndLongNamesKeepTheirExtension) {
  const struct { std::string Name; bool ReadsBack, WritesBack; std::string Safe; } cases[] = {
      {"hull.mat", true, true, "hull.mat"}, {"", true, true, ""}, {"a/b:c.mat", true, true, "a/b:c.mat"},
      {"abcdefghijklmnopqrstuvwxyz0.mat", true, true, "abcdefghijklmnopqrstuvwxyz0.mat"},
      {"a b.mat", false, false, "a_b.mat"}, {"a,b.mat", false, false, "a_b.mat"}, {"#x.mat", false, false, "_x.mat"},
      {"a0xb.mat", false, false, "a0_b.mat"}, {"00xx", false, false, "00_x"}, {"e//f", false, false, "e/_f"},
      {"e///f", false, false, "e/_/f"}, {"x\r\nSECTION:", false, false, "x__SECTION:"},
      {"a\tb\x01", false, false, "a_b_"}, {"tri\x01x", false, true, "tri_x"}, {"tri\x01", false, false, "tri_"},
      {"abcdefghijklmnopqrstuvwxyz01.mat", false, true, "abcdefghijklmnopqrstuvwxyz0.mat"},
      {"abcdefghijklmnopqrstuvwxyz0123456", false, true, "abcdefghijklmnopqrstuvwxyz01234"},
      {"a b c d e f g h i j k l m n o p q.3do", false, false, "a_b_c_d_e_f_g_h_i_j_k_l_m_n.3do"},
      // Each character that ends a field on its own, inside a name.
      {"a\tb", false, false, "a_b"}, {"a\rb", false, false, "a_b"}, {"a\nb", false, false, "a_b"},
      {std::string("a\0b", 3), false, false, "a_b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(PrintableName(c.Name));
    EXPECT_EQ(NameReadsBack(c.Name), c.ReadsBack);
    EXPECT_EQ(NameWritesBack(c.Name), c.WritesBack);
    EXPECT_EQ(SafeName(c.Name), c.Safe);
    EXPECT_TRUE(NameReadsBack(SafeName(c.Name)));
  }
}

TEST(NameRules, RefusalsSpellOutControlCharacters) {
  EXPECT_EQ(CheckNodeName("a\r\nb"),
            "'a\\r\\nb' cannot be a node name: a node name has 1 to 31 characters, with no space, tab, line break or "
            "comma and no \"#\", \"//\" or \"0x\" in it.");
  EXPECT_EQ(CheckMeshName("a0xb"),
            "'a0xb' cannot be a mesh name: a mesh name has at most 31 characters, with no space, tab, line break or "
            "comma and no \"#\", \"//\" or \"0x\" in it.");
  EXPECT_EQ(CheckMeshName(""), "");
  EXPECT_EQ(PrintableName("t\t\x7f\x1b"), "t\\t\\x7f\\x1b");
}

// Typed into the materials dialog, the property panel's mesh name and a surface's material:
// each name is refused with one message, or saved and read back exactly as typed.
TEST(NameRules, TypedNamesAreRefusedOrReadBackAsTyped) {
  const struct { std::string Name; bool Material, Mesh; /* accepted as one */ } cases[] = {
      {"hull.mat", true, true}, {"a/b:c.mat", true, true}, {"0.mat", true, true}, {"x0", true, true},
      {"\xc3\xbc" "ber.mat", true, true}, {"abcdefghijklmnopqrstuvwxyz0.mat", true, true}, {"", false, true},
      {"x\r\nSECTION: GEOMETRYDEF\r\nRADIUS q", false, false}, {"a,b.mat", false, false}, {"a b.mat", false, false},
      {"#x.mat", false, false}, {"a0xb.mat", false, false}, {"a0xb", false, false}, {"e//f.mat", false, false},
      {"a\tb", false, false}, {"a\x01" "b", false, false}, {"abcdefghijklmnopqrstuvwxyz01.mat", false, false},
  };
  fmt_test::TTempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(PrintableName(c.Name));
    TTestCore t;
    ASSERT_TRUE(Parse3DO(t.Model(), TriangleModelText()));
    TModel& model = t.Model();
    t.Core.ToggleNode(model.Nodes[0]);
    TMaterial* added = AddProjectMaterial(t.Core, c.Name);
    EXPECT_EQ(added != nullptr, c.Material);
    EXPECT_EQ(SetMeshName(t.Core, c.Name).Succeeded(), c.Mesh);
    const size_t refusals = (c.Material ? 0 : 1) + (c.Mesh ? 0 : 1);
    ASSERT_EQ(t.Services.Errors.size(), refusals);
    if (!c.Material) {
      EXPECT_EQ(t.Services.Errors[0].rfind("'" + PrintableName(c.Name) + "' cannot be a material name: ", 0), 0u);
    }
    // The file's two, and the one added.
    EXPECT_EQ(model.Materials.Count(), c.Material ? 3 : 2);
    EXPECT_EQ(model.Nodes[0]->Mesh->Name, c.Mesh ? c.Name : "tri");

    // The file holds only the materials that faces use.
    if (added) model.Nodes[0]->Mesh->Surfaces[0]->Material = added;
    EXPECT_EQ(NamesReadBack(model, dir.File("names.3do")),
              (std::vector<std::string>{c.Mesh ? c.Name : "tri", c.Material ? c.Name : "metal.mat"}));
  }
}

// A 3DO's names come back from the file they are written into as they were read, long names
// and control characters inside them included; only a name that would not is made safe. An
// OBJ file's material names are made safe when its materials are taken.
TEST(NameRules, NamesThatWouldNotWriteBackAreMadeSafeWithOneLine) {
  const std::string longName = "a_material_with_a_very_long_name.mat";  // 36 characters
  std::string text = Replace(TriangleModelText(), "1:  metal.mat", "1:  " + longName + " spare");
  text = Replace(text, "NAME tri", "NAME tri\x01 spare");
  const std::string rule = ": a name in a 3DO file has at most 31 characters and no blank, comma, \"#\", \"//\" or \"0x\"";
  const struct { const char* File; std::string Text; std::vector<std::string> Names; std::string Line; } rows[] = {
      {"long.3do", text, {"tri_", longName}, "'tri\\x01' became 'tri_'" + rule},
      {"names.obj",
       "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl a#b\nf 1 2 3\nusemtl c0xd\nf 3 2 1\nusemtl e//f\nf 1 3 2\n"
       "usemtl a#b\nf 2 1 3\nusemtl plain\nf 2 3 1\n",
       {"Mesh", "a_b.mat", "c0_d.mat", "e/_f.mat", "a_b.mat", "plain.mat"}, "'a#b.mat' became 'a_b.mat' (and 2 more)" + rule},
  };
  fmt_test::TTempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.File);
    TTestCore t;
    const std::string path = dir.Write(row.File, row.Text);
    ASSERT_TRUE(path.ends_with(".obj") ? ImportObj(t.Model(), path, {.Materials = true}) : Load3DOFile(t.Model(), path));
    EXPECT_EQ(Names(t.Model()), row.Names);
    EXPECT_EQ(ReadLines(t), std::vector<std::string>{row.Line});
    EXPECT_EQ(NamesReadBack(t.Model(), dir.File("saved.3do")), row.Names);
  }
}

}  // namespace
