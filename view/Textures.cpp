#include "view/Textures.h"

#include <GL/gl.h>

#include <algorithm>
#include <unordered_set>

#include "model/Materials.h"
#include "view/TexelUpload.h"

namespace {
bool HasPixels(const TMaterial& m) {
  return m.Width > 0 && m.Height > 0 &&
         m.Pixels.size() >= static_cast<size_t>(m.Width) * static_cast<size_t>(m.Height) * 3;
}
}  // namespace

void TTextureCache::Sync(TMaterials& materials) {
  std::unordered_set<unsigned> named;
  for (TMaterial* m : materials)
    if (m->TextureName >= 0) named.insert(static_cast<unsigned>(m->TextureName));
  std::vector<unsigned> kept;
  for (unsigned name : Uploaded) {
    if (named.count(name))
      kept.push_back(name);
    else
      glDeleteTextures(1, &name);
  }
  Uploaded = std::move(kept);

  for (TMaterial* m : materials) {
    if (!m->Loaded || m->TextureName >= 0 || !HasPixels(*m)) continue;
    const unsigned name = UploadTexels(m->Width, m->Height, false, m->Pixels.data());
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    m->TextureName = static_cast<int>(name);
    Uploaded.push_back(name);
  }
}

void TTextureCache::Forget(TMaterials& materials) {
  for (TMaterial* m : materials) m->TextureName = -1;
  Uploaded.clear();
}
