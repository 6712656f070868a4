#pragma once
#include <string>
#include <vector>

#include "formats/Picture.h"
#include "model/KeyAnimation.h"

class TModel;

constexpr double kGameFps = 15;  // the frames a second of the game's own animations
// Most nodes a glTF file may hold: far beyond any of the game's models.
constexpr size_t kGltfMostNodes = 4096;

// A texture of the file, for the material `Material` its faces name.
struct TGltfTexture {
  std::string Material;
  TPicture Picture;
};

// An animation of the file as a KEY of the model read; Name is its name made safe, empty
// for an animation without one.
struct TGltfAnimation {
  std::string Name;
  TKeyAnimation Key;
};

struct TGltfExtras {
  std::vector<TGltfTexture> Textures;
  std::vector<TGltfAnimation> Animations;
};

// Reads a glTF 2.0 file (.glb or .gltf) into the empty model: the default scene's node tree
// as the hierarchy, turned from Y-up to the game's Z-up, scale baked into the meshes, skinned
// meshes cut into rigid parts of their joints; one output line for each thing the game cannot
// hold. The animations are sampled at `fps`. Raises EParserError or EInOutError with one
// message for a file that does not read or does not hold a scene that can be read whole.
TGltfExtras ImportGltf(TModel& model, const std::string& path, double fps = kGameFps);
