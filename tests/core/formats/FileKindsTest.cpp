// The one table of file kinds that every front end asks: kinds by extension, case aside,
// and the dialogs' filters made from its rows.
#include <gtest/gtest.h>

#include "formats/FileKinds.h"

TEST(FileKinds, KnowsEachPathByItsExtensionAndOffersItsKindsToTheDialogs) {
  const struct {
    const char* Path;
    bool Known;
    TFileFormat Format;
    unsigned Uses;
  } rows[] = {
      {"C:\\Games\\JK\\Resource\\Res2.GOO", true, TFileFormat::Container, fuOpen | fuContainer},
      {"ship.3DO", true, TFileFormat::ThreeDo, fuOpen | fuSave},
      {"scan.obj", true, TFileFormat::Obj, fuImport | fuExport},
      {"ship.GLTF", true, TFileFormat::Gltf, fuOpen | fuImport | fuExport},
      {"ship.glb", true, TFileFormat::Gltf, fuOpen | fuImport | fuExport},
      {"kyle.key", true, TFileFormat::Animation, fuAnimation},
      {"misc\\pup\\KY.PUP", true, TFileFormat::Puppet, fuPuppet},
      {"dflt.mat", true, TFileFormat::Material, fuMaterial},
      {"misc\\cmp\\01narsh.cmp", true, TFileFormat::Colormap, fuColormap},
      {"ship.3do.bak", false, {}, 0},
      {"folder.gob/readme", false, {}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Path);
    const TFileKind* kind = FileKindOf(row.Path);
    ASSERT_EQ(kind != nullptr, row.Known);
    if (!kind) continue;
    EXPECT_EQ(kind->Format, row.Format);
    EXPECT_EQ(kind->Uses, row.Uses);
    EXPECT_EQ(kind->ReadModel != nullptr, row.Format == TFileFormat::ThreeDo || row.Format == TFileFormat::Obj ||
                                              row.Format == TFileFormat::Gltf);
  }
  EXPECT_EQ(FileFilter(fuAnimation | fuContainer),
            (std::vector<std::string>{"All Supported files (*.gob, *.goo, *.key)|*.gob;*.goo;*.key",
                                      "Jedi Knight Container (*.gob, *.goo)|*.gob;*.goo",
                                      "Jedi Knight Animation (*.key)|*.key"}));
  EXPECT_EQ(FileFilter(fuExport), (std::vector<std::string>{"All Supported files (*.obj, *.glb, *.gltf)|*.obj;*.glb;*.gltf",
                                                             "Wavefront Object (*.obj)|*.obj",
                                                             "glTF 2.0 (*.glb, *.gltf)|*.glb;*.gltf"}));
}
