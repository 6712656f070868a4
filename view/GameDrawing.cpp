#include "view/GameDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "document/Core.h"
#include "view/TexelUpload.h"

namespace {

struct TEyeSpace {
  GLdouble M[16];  // the modelview matrix, column by column
  bool Ortho;

  TVector Point(const TVector& p) const {
    return {M[0] * p.X + M[4] * p.Y + M[8] * p.Z + M[12], M[1] * p.X + M[5] * p.Y + M[9] * p.Z + M[13],
            M[2] * p.X + M[6] * p.Y + M[10] * p.Z + M[14]};
  }
  TVector Direction(const TVector& d) const {
    return Normalize({M[0] * d.X + M[4] * d.Y + M[8] * d.Z, M[1] * d.X + M[5] * d.Y + M[9] * d.Z,
                      M[2] * d.X + M[6] * d.Y + M[10] * d.Z});
  }
};

TEyeSpace CurrentEyeSpace() {
  TEyeSpace eye{};
  glGetDoublev(GL_MODELVIEW_MATRIX, eye.M);
  GLdouble p[16];
  glGetDoublev(GL_PROJECTION_MATRIX, p);
  eye.Ortho = p[11] == 0;  // a perspective projection divides by the depth
  return eye;
}

double Dot(const TVector& a, const TVector& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
TVector Negated(const TVector& v) { return {-v.X, -v.Y, -v.Z}; }

// One face as this frame draws it.
struct TShownFace {
  TFace* Face;
  int Geometry, Lighting;
  size_t FirstLight;  // its corners' light levels start there in the frame's list
  double Depth;       // of its centre, in the camera's frame (farther is lower)
};

bool HasIndices(const TMaterial& m) {
  return m.BitDepth == 8 && m.Indices.size() == static_cast<size_t>(m.Width) * static_cast<size_t>(m.Height);
}

bool HasPicture(const TMaterial& m) {
  return m.Width > 0 && m.Height > 0 && m.Pixels.size() == static_cast<size_t>(m.Width) * static_cast<size_t>(m.Height) * 3;
}

// The light table row of a light level.
int Row(float light) { return std::clamp(static_cast<int>(light * 63), 0, 63); }

// The colour of palette index `index` at light `light`.
std::array<float, 3> Lit(const TMaterials& materials, int index, float light) {
  const bool table = materials.LightTable.size() == 64 * 256;
  const int shown = table ? materials.LightTable[static_cast<size_t>(Row(light)) * 256 + index] : index;
  const float scale = table ? 1.0f : light;
  return {materials.Palette[shown * 3u] / 255.0f * scale, materials.Palette[shown * 3u + 1] / 255.0f * scale,
          materials.Palette[shown * 3u + 2] / 255.0f * scale};
}

// Vertex normals in world space, each the mean of its faces' normals, for gouraud light.
std::unordered_map<const TVertex*, TVector> WorldVertexNormals(const std::vector<TShownFace>& faces) {
  std::unordered_map<const TVertex*, TVector> normals;
  for (const TShownFace& s : faces) {
    if (s.Lighting < 3) continue;
    const TVector n = PolygonNormal(s.Face->Vertices, &TVertex::World);
    for (const TVertex* v : s.Face->Vertices) AddVector(normals[v], n);
  }
  for (auto& [vertex, n] : normals) n = Normalize(n);
  return normals;
}

}  // namespace

unsigned TGameDrawing::Checker() {
  if (CheckerName) return CheckerName;
  // Magenta and black, a colour no material of the game is drawn in.
  std::array<uint8_t, 4 * 4 * 4> texels{};
  for (int i = 0; i < 16; ++i) {
    const bool lit = ((i % 4) + (i / 4)) % 2 == 0;
    texels[i * 4u] = texels[i * 4u + 2] = lit ? 255 : 0;
    texels[i * 4u + 3] = 255;
  }
  CheckerName = UploadTexels(4, 4, true, texels.data());
  return CheckerName;
}

unsigned TGameDrawing::Texture(const TCore& core, const TMaterial& m, int row, bool translucent) {
  const auto key = std::make_tuple(&m, row, translucent);
  if (const auto found = Textures.find(key); found != Textures.end()) return found->second;
  const TMaterials& materials = core.Model->Materials;
  const size_t texels = static_cast<size_t>(m.Width) * static_cast<size_t>(m.Height);
  std::vector<uint8_t> rgba(texels * 4);
  const bool indexed = HasIndices(m);
  for (size_t i = 0; i < texels; ++i) {
    uint8_t* out = &rgba[i * 4];
    if (indexed) {
      const int index = m.Indices[i];
      const int shown = row >= 0 ? materials.LightTable[static_cast<size_t>(row) * 256 + index] : index;
      std::copy_n(&materials.Palette[shown * 3u], 3, out);
      out[3] = index == m.TransparentIndex || (translucent && index == 0) ? 0 : 255;
    } else {
      std::copy_n(&m.Pixels[i * 3], 3, out);
      out[3] = 255;
    }
  }
  const unsigned name = UploadTexels(m.Width, m.Height, true, rgba.data());
  Textures[key] = name;
  return name;
}

void TGameDrawing::Release() {
  for (const auto& [key, name] : Textures) glDeleteTextures(1, &name);
  Textures.clear();
  if (CheckerName) glDeleteTextures(1, &CheckerName);
  CheckerName = 0;
}

void TGameDrawing::Draw(TCore& core, const TGameLight& light) {
  const TEyeSpace eye = CurrentEyeSpace();
  const float ambient = static_cast<float>(std::clamp(light.Ambient, 0.0, 1.0));
  std::vector<TShownFace> shown;
  for (TNode* node : core.Model->Nodes) {
    TMesh* mesh = node->Mesh.get();
    if (!mesh || mesh->GeometryMode <= 0) continue;
    for (TFace* f : mesh->Surfaces) {
      const int geometry = std::min({kViewGeometryMode, mesh->GeometryMode, f->GeometryMode});
      if (geometry <= 0 || f->Vertices.Count() < 1) continue;
      shown.push_back({f, geometry, std::min({kViewLightingMode, mesh->LightingMode, f->LightingMode}), 0, 0});
    }
  }
  // The world's normals stay until the model changes; only their turn into the camera's
  // frame follows the camera.
  if (!NormalsFound) {
    Normals = WorldVertexNormals(shown);
    NormalsFound = true;
  }
  // One list for every corner's light: a million faces make no million small allocations.
  std::vector<float> lights;

  // Culling and light, in the camera's frame, where the light stands.
  std::vector<TShownFace*> opaque, translucent;
  for (TShownFace& s : shown) {
    TFace& f = *s.Face;
    const int corners = f.Vertices.Count();
    TVector normal = eye.Direction(PolygonNormal(f.Vertices, &TVertex::World));
    const TVector first = eye.Point(f.Vertices[0]->World);
    const TVector toCamera = eye.Ortho ? TVector{0, 0, 1} : Negated(first);
    const bool behind = Dot(toCamera, normal) <= 0;
    if (behind && !f.HasFlag(ftTwoSided)) continue;
    const double side = behind ? -1 : 1;
    if (behind) normal = Negated(normal);
    TVector centre;
    for (const TVertex* v : f.Vertices) AddVector(centre, eye.Point(v->World));
    centre = {centre.X / corners, centre.Y / corners, centre.Z / corners};
    s.Depth = centre.Z;
    const auto fromLight = [&](const TVector& n, const TVector& at) {
      switch (s.Lighting) {
        case 0: return 1.0;
        case 1: return 0.0;
        default: return light.Intensity * std::max(0.0, Dot(n, Normalize(SubVector(at, light.Position))));
      }
    };
    const auto level = [&](double l, const TVertex* v) {
      return std::max(ambient, static_cast<float>(std::clamp(l + f.ExtraLight + v->Intensity, 0.0, 1.0)));
    };
    s.FirstLight = lights.size();
    for (int i = 0; i < corners; ++i) {
      if (s.Lighting >= 3) {
        const auto n = Normals.find(f.Vertices[i]);
        const TVector vn = n == Normals.end() ? normal : eye.Direction(n->second);
        lights.push_back(
            level(fromLight({vn.X * side, vn.Y * side, vn.Z * side}, eye.Point(f.Vertices[i]->World)), f.Vertices[i]));
      } else {
        lights.push_back(level(fromLight(normal, centre), f.Vertices[i]));
      }
    }
    (f.HasFlag(ftTranslucent) ? translucent : opaque).push_back(&s);
  }
  std::stable_sort(translucent.begin(), translucent.end(),
                   [](const TShownFace* a, const TShownFace* b) { return a->Depth < b->Depth; });

  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT |
               GL_POLYGON_BIT | GL_POINT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0);  // see-through texels leave colour and depth as they were
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1.0f, 2.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPointSize(3);
  const TMaterials& materials = core.Model->Materials;
  const auto drawFace = [&](const TShownFace& s, float alpha) {
    TFace& f = *s.Face;
    const TMaterial* m = f.Material;
    const int corners = f.Vertices.Count();
    const bool missing = !m || !m->Loaded;
    if (missing && m && Reported.insert(m->Name).second)
      core.Services.MaterialNotFound(m->Name, "Game view: material '" + m->Name + "' not found; drawn chequered");
    const bool textured = s.Geometry >= 4 && !missing && m->IsTexture && HasPicture(*m) && f.TXVertices.Count() >= corners;
    const float* light = &lights[s.FirstLight];
    float mean = 0;
    for (int i = 0; i < corners; ++i) mean += light[i];
    mean /= static_cast<float>(corners);
    // Rows of the light table exist for 8-bit texels only, and one texture per row: a face
    // takes the row of its mean light, other colours are scaled by GL corner by corner.
    const bool byRow = textured && HasIndices(*m) && materials.LightTable.size() == 64 * 256;
    if (missing) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, Checker());
    } else if (textured) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, Texture(core, *m, byRow ? Row(mean) : -1, f.HasFlag(ftTranslucent)));
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    const GLenum primitive = s.Geometry == 1 ? GL_POINTS : s.Geometry == 2 ? GL_LINE_LOOP : GL_POLYGON;
    glBegin(primitive);
    for (int i = 0; i < corners; ++i) {
      const float l = light[i];
      if (missing) {
        glColor4f(1, 1, 1, alpha);
        glTexCoord2f(i == 1 || i == 2 ? 1.0f : 0.0f, i >= 2 ? 1.0f : 0.0f);  // the corners of a square
      } else if (textured) {
        const float scale = byRow ? 1.0f : l;
        glColor4f(scale, scale, scale, alpha);
        glTexCoord2f(f.TXVertices[i].U / static_cast<float>(m->Width), f.TXVertices[i].V / static_cast<float>(m->Height));
      } else if (m->SolidIndex >= 0 && m->SolidIndex < 256 && m->BitDepth == 8) {
        const auto c = Lit(materials, m->SolidIndex, l);
        glColor4f(c[0], c[1], c[2], alpha);
      } else {
        const auto* p = m->Pixels.size() >= 3 ? m->Pixels.data() : nullptr;
        glColor4f(p ? p[0] / 255.0f * l : l, p ? p[1] / 255.0f * l : l, p ? p[2] / 255.0f * l : l, alpha);
      }
      const TVector& w = f.Vertices[i]->World;
      glVertex3d(w.X, w.Y, w.Z);
    }
    glEnd();
  };
  for (const TShownFace* s : opaque) drawFace(*s, 1.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  for (const TShownFace* s : translucent) drawFace(*s, (255 - kTranslucentBackground) / 255.0f);
  glPopAttrib();
}
