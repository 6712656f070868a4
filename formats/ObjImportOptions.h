#pragma once
#include <string_view>

// How the numbers of an OBJ file become the model's. The defaults take them as they stand:
// no turn, no scaling, every face "dflt.mat" with its texture coordinates unchanged.
struct TObjImportOptions {
  // The file's up axis is Y, as most modelling programs write it: the mesh is turned about X
  // so that the file's Y becomes the model's Z.
  bool YUp = false;
  // The mesh is scaled so that its largest extent becomes kFitExtent, about a character's
  // size in the game; without Fit its positions are multiplied by Scale.
  bool Fit = false;
  double Scale = 1;
  // "usemtl NAME" gives the faces after it the material "NAME.mat"; where that material is
  // found, their texture coordinates go from OBJ's 0..1, V up, into its texels.
  bool Materials = false;
  // Each object ("o NAME", or "g NAME" in a file without objects) becomes a node and mesh of
  // its own, named after it, when the file has several; else everything is one mesh.
  bool ObjectsAsNodes = true;

  static constexpr double kFitExtent = 0.1;
  // What the OBJ export writes: Z up, at scale 1, with the materials named.
  static TObjImportOptions AsExported() {
    TObjImportOptions options;
    options.Materials = true;
    return options;
  }
};

// Takes "fit" or a factor above 0 into the options; raises EConvertError for anything else.
void SetObjScale(TObjImportOptions& options, std::string_view text);
