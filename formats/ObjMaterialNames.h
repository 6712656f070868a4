#pragma once
#include <string>
#include <string_view>

// The names a material goes by in OBJ and MTL files, and back: "hull.mat" (or "hull.MAT") is
// "hull" there, so that other programs show plain names, and "hull" comes back as "hull.mat",
// the same material to the game, which takes names in any case. A name that would not come
// back as the same material so (".mat", "a.mat.mat") is written whole, and a name ending in
// ".mat" in any case is read back whole.
std::string ObjMaterialName(std::string_view material);
std::string MaterialFromObjName(std::string_view name);
// The name of the PNG picture of a material in an MTL file's folder: letters, digits, "_",
// "-" and "." only, so that no name leads out of the folder or into a hidden file.
std::string ObjPictureName(std::string_view objName);
