#pragma once
#include <string>
#include <vector>

#include "model/KeyAnimation.h"

class TModel;

// Writes the model's current level of detail as glTF 2.0: a .glb file holding everything, or
// (any other extension) a .gltf file with its buffer (.bin) and the materials' pictures (PNG)
// beside it, named after it.
//
// One root node turns the game's Z-up into glTF's Y-up (game x, y, z is glTF x, z, -y).
// Under it each 3DO node is a glTF node of the same name under its parent, placed by its
// position and the quaternion of its rotation, so that an animation drives it as the game
// drives the joint; its mesh hangs from a child node moved by the pivot. Each mesh is a glTF
// mesh of one primitive per material and face flags (two-sided, translucent), faces of more
// than three corners as fans, with the face normals and texture coordinates the views draw.
// A material keeps its file name; one that was read shows its first image, one that was not
// is plain grey.
//
// Each KEY is one animation of its name: every node it drives gets its translation and
// rotation at every frame from 0 to FRAMES, frame F at F / FPS seconds, the last sample being
// frame 0 again, as the game wraps; LINEAR between them. Its markers go into the animation's
// extras as {"markers": [{"frame": F, "type": T}, ...]}.
//
// Every file appears whole or not at all; raises EInOutError when one cannot be written or
// a KEY cannot be played (FPS not above 0, no frames, too many frames to sample).
void ExportGltf(TModel& model, const std::string& path, const std::vector<TNamedKey>& keys = {});
