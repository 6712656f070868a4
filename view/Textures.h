#pragma once
#include <vector>

class TMaterials;

// The GL textures of the model's materials, kept in step with the material list. This is the
// one place where texture pixels go to GL.
class TTextureCache {
 public:
  // Uploads each loaded material that has no texture yet and deletes the textures no
  // material names any more. Needs the drawing area's context current.
  void Sync(TMaterials& materials);
  // The context went away with its textures: every material must upload again.
  void Forget(TMaterials& materials);

 private:
  std::vector<unsigned> Uploaded;
};
