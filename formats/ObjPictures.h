#pragma once
#include <string>
#include <vector>

// A material of an OBJ file's MTL files with a diffuse picture ("map_Kd").
struct TObjPicture {
  std::string Material;  // as the import names it: "hull" is "hull.mat"
  std::string Picture;   // the picture's path on this file system, empty when it is nowhere
  std::string Named;     // the picture as the MTL file names it
};

// The diffuse pictures of the materials of every MTL file the OBJ file names ("mtllib"),
// each material once, in the order of the files. MTL files that are missing or do not read
// give none; a picture is looked up beside its MTL file, without regard to case. Raises
// EInOutError when the OBJ file itself does not read.
std::vector<TObjPicture> ReadObjPictures(const std::string& objPath);
