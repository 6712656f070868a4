#pragma once
#include <string>

#include "model/NodePose.h"

class TModel;

// Writes the model's current level of detail as a Wavefront OBJ file at `path`: an object
// per node with a mesh, at the world positions the views draw, with texture coordinates in
// OBJ's 0..1 (V up) for every material that was found and face normals. The MTL file of
// the same name beside it gives each material the PNG picture of its first image, written
// beside it too, or plain grey when the material was not found. Every file appears whole or
// not at all; raises EInOutError when one cannot be written. Importing the file back with
// TObjImportOptions::AsExported() gives the same positions, faces, texture coordinates and
// material names. With `yUp` the model's Z becomes the file's Y, as most modelling programs
// want it; importing with Y up turns it back. A pose places the nodes as it does in the views.
void ExportObj(TModel& model, const std::string& path, bool yUp = false, const TNodePose& pose = {});
