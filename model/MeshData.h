#pragma once
#include <string>

// What a file holds of a mesh apart from its vertices and faces; the undo history keeps and
// compares it whole.
struct TMeshData {
  std::string Name = "Mesh";
  // Textured, gouraud, perspective, as the game's own meshes: a mesh of geometry mode 0 is
  // never drawn by the game, so every mesh a command or an import makes starts drawable.
  int GeometryMode = 4;
  int LightingMode = 3;
  int TextureMode = 1;

  bool operator==(const TMeshData&) const = default;
};
