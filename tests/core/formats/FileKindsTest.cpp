// The one table of file kinds that every front end asks: each kind known by each of its
// extensions, case aside and after any folder, a model read by the kinds the model dialogs
// offer, and the dialogs' filters made from its rows.
#include <gtest/gtest.h>

#include <cctype>

#include "formats/FileKinds.h"

TEST(FileKinds, KnowsEachPathByItsExtensionAndOffersItsKindsToTheDialogs) {
  for (const TFileKind& kind : FileKinds())
    for (const std::string_view extension : kind.Extensions) {
      std::string upper(extension);
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      for (const std::string& path : {"ship" + std::string(extension), "C:\\Games\\JK\\Res2" + upper, "misc/pup/ky" + upper}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(FileKindOf(path), &kind);
      }
      // Open and Import read models, but for containers, which hold them.
      EXPECT_EQ(kind.ReadModel != nullptr, (kind.Uses & (fuOpen | fuImport)) && !(kind.Uses & fuContainer)) << extension;
    }
  for (const char* path : {"ship.3do.bak", "folder.gob/readme", "noextension"}) EXPECT_EQ(FileKindOf(path), nullptr) << path;
  EXPECT_EQ(FileFilter(fuAnimation | fuContainer),
            (std::vector<std::string>{"All Supported files (*.gob, *.goo, *.key)|*.gob;*.goo;*.key",
                                      "Jedi Knight Container (*.gob, *.goo)|*.gob;*.goo",
                                      "Jedi Knight Animation (*.key)|*.key"}));
  EXPECT_EQ(FileFilter(fuExport), (std::vector<std::string>{"All Supported files (*.obj, *.glb, *.gltf)|*.obj;*.glb;*.gltf",
                                                             "Wavefront Object (*.obj)|*.obj",
                                                             "glTF 2.0 (*.glb, *.gltf)|*.glb;*.gltf"}));
}
