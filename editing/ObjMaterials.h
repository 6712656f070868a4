#pragma once
#include <functional>
#include <string>
#include <vector>

#include "formats/MatWriter.h"
#include "formats/ObjPictures.h"

// The pictures of an OBJ file's materials that `found` does not find as materials yet.
std::vector<TObjPicture> PicturesToMake(const std::string& objPath, const std::function<bool(const std::string&)>& found);

// Writes each picture as its material NAME.mat into `folder` (which ends in "/"), leaving
// files that exist as they are; returns one line for each picture: made, or why not.
std::vector<std::string> MakeMaterials(const std::vector<TObjPicture>& pictures, const std::string& folder,
                                       const TMatOptions& options);

class TCore;

// Where an OBJ import into the document looks up its materials, and makes them: the model's
// file, or for an untitled model the OBJ file itself (its folder is what counts).
std::string ObjMaterialHome(const TCore& core, const std::string& objPath);

// The pictures of the OBJ's materials that an import into the document would not find.
std::vector<TObjPicture> ObjPicturesToMake(TCore& core, const std::string& objPath);

// Makes those materials beside the home file at `depth` bits (8: through the palette the
// document's materials are seen with), each line of the outcome to the output.
void MakeObjMaterials(TCore& core, const std::string& objPath, const std::vector<TObjPicture>& pictures, int depth);
