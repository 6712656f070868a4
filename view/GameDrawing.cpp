#include "view/GameDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "document/Core.h"
#include "view/TexelUpload.h"

struct TEyeSpace {
  GLdouble M[16];  // the modelview matrix, column by column
  bool Ortho;

  TVector Point(const TVector& p) const {
    return {M[0] * p.X + M[4] * p.Y + M[8] * p.Z + M[12], M[1] * p.X + M[5] * p.Y + M[9] * p.Z + M[13],
            M[2] * p.X + M[6] * p.Y + M[10] * p.Z + M[14]};
  }
  // Turned into the camera's frame, with the view's scale still on it.
  TVector Turned(const TVector& d) const {
    return {M[0] * d.X + M[4] * d.Y + M[8] * d.Z, M[1] * d.X + M[5] * d.Y + M[9] * d.Z,
            M[2] * d.X + M[6] * d.Y + M[10] * d.Z};
  }
  TVector Direction(const TVector& d) const { return Normalize(Turned(d)); }
};

namespace {

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

// A translucent face as this frame draws it, after the opaque ones and farthest first.
struct TShownFace {
  TFace* Face;
  int Geometry;
  size_t FirstLight;  // its corners' light levels start there in the frame's list
  double Depth;       // of its centre, in the camera's frame (farther is lower)
};

int FaceGeometry(const TMesh& mesh, const TFace& f) {
  return std::min({TGameDrawing::kViewGeometryMode, mesh.GeometryMode, f.GeometryMode});
}
int FaceLighting(const TMesh& mesh, const TFace& f) {
  return std::min({TGameDrawing::kViewLightingMode, mesh.LightingMode, f.LightingMode});
}

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

// The GL state the game's faces are drawn in; the caller pops it.
void PushGameState() {
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT |
               GL_CURRENT_BIT | GL_POLYGON_BIT | GL_POINT_BIT | GL_LIGHTING_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_CULL_FACE);
  glShadeModel(GL_SMOOTH);  // gouraud light varies across a face
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0);  // see-through texels leave colour and depth as they were
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1.0f, 2.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPointSize(3);
}

}  // namespace

// One frame's culling and light, in the camera's frame, where the light stands, and the room
// its faces share. Opaque faces are drawn as they come; translucent ones wait here with their
// light for the sort.
struct TGameFrame {
  TGameFrame(const TEyeSpace& eye, const TGameLight& light)
      : Eye(eye), Light(light), Ambient(static_cast<float>(std::clamp(light.Ambient, 0.0, 1.0))) {}

  const TEyeSpace& Eye;
  const TGameLight& Light;
  const float Ambient;
  std::vector<TShownFace> Translucent;
  std::vector<float> Lights;
  // The face at hand: its corners as the camera sees them, their light levels, and the depth
  // of its centre.
  std::vector<const TEyeVertex*> Seen;
  std::vector<TEyeVertex> Spare;
  std::vector<float> FaceLight;
  double FaceDepth = 0;
};

namespace {

// Each corner of the face as the camera sees it, from the vertices placed this frame; a corner
// its mesh does not list is placed here and lit by the face's normal.
void SeeCorners(TGameFrame& frame, const TMesh& mesh, const TFace& f, const TEyeVertex* placed,
                const TVector& normal) {
  const int corners = f.Vertices.Count();
  frame.Seen.resize(static_cast<size_t>(corners));
  frame.Spare.resize(static_cast<size_t>(corners));
  for (int i = 0; i < corners; ++i) {
    const TVertex* v = f.Vertices[i];
    const int index = mesh.IndexOfVertex(v);
    const TEyeVertex* e = placed && index >= 0 ? placed + index : nullptr;
    if (!e) {
      TEyeVertex& own = frame.Spare[static_cast<size_t>(i)];
      own.Point = frame.Eye.Point(v->World);
      own.Normal = Normalize(normal);
      own.FromLight = Normalize(SubVector(own.Point, frame.Light.Position));
      e = &own;
    }
    frame.Seen[static_cast<size_t>(i)] = e;
  }
}

// The light level of each corner of a face seen from the side `side` (-1 from behind), whose
// normal faces the camera: by each corner's own normal under gouraud light, by the face's at
// its centre under diffuse light.
void LightCorners(TGameFrame& frame, const TFace& f, int lighting, const TVector& normal,
                  double side, const TVector& centre) {
  const TGameLight& light = frame.Light;
  const auto level = [&](double l, const TVertex* v) {
    return std::max(frame.Ambient,
                    static_cast<float>(std::clamp(l + f.ExtraLight + v->Intensity, 0.0, 1.0)));
  };
  double diffuse = 0;
  if (lighting == 2) {
    const TVector fromLight = Normalize(SubVector(centre, light.Position));
    diffuse = light.Intensity * std::max(0.0, Dot(normal, fromLight));
  }
  frame.FaceLight.clear();
  for (int i = 0; i < f.Vertices.Count(); ++i) {
    const TEyeVertex& e = *frame.Seen[static_cast<size_t>(i)];
    double l = lighting == 0 ? 1.0 : lighting == 1 ? 0.0 : diffuse;
    if (lighting >= 3) l = light.Intensity * std::max(0.0, side * Dot(e.Normal, e.FromLight));
    frame.FaceLight.push_back(level(l, f.Vertices[i]));
  }
}

// Culls the face and lights its corners; false when it is seen from behind and single-sided.
// Its normal is the one kept for it, or found when none was.
bool LightFace(TGameFrame& frame, const TMesh& mesh, const TFace& f, const TEyeVertex* placed,
               const TVector* keptNormal) {
  const int corners = f.Vertices.Count();
  const int lighting = FaceLighting(mesh, f);
  // Unit length only where the light needs it: culling looks at the sign alone.
  TVector normal =
      frame.Eye.Turned(keptNormal ? *keptNormal : PolygonNormal(f.Vertices, &TVertex::World));
  SeeCorners(frame, mesh, f, placed, normal);
  const TVector toCamera = frame.Eye.Ortho ? TVector{0, 0, 1} : Negated(frame.Seen[0]->Point);
  const bool behind = Dot(toCamera, normal) <= 0;
  if (behind && !f.HasFlag(ftTwoSided)) return false;
  const double side = behind ? -1 : 1;
  if (behind) normal = Negated(normal);
  if (lighting == 2) normal = Normalize(normal);
  TVector centre;
  for (const TEyeVertex* e : frame.Seen) AddVector(centre, e->Point);
  centre = {centre.X / corners, centre.Y / corners, centre.Z / corners};
  LightCorners(frame, f, lighting, normal, side, centre);
  frame.FaceDepth = centre.Z;
  return true;
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

void TGameDrawing::FindNormals(const TCore& core) {
  Normals.clear();
  FaceNormals.clear();
  Placed.clear();
  for (const TNode* node : core.Model->Nodes) {
    const TMesh* mesh = node->Mesh.get();
    if (!mesh || mesh->GeometryMode <= 0 || Placed.count(mesh)) continue;
    const size_t base = Normals.size();
    Placed[mesh] = {base, FaceNormals.size(), mesh->Vertices.Count(), mesh->Surfaces.Count()};
    Normals.resize(base + static_cast<size_t>(mesh->Vertices.Count()));
    for (const TFace* f : mesh->Surfaces) {
      const TVector n = PolygonNormal(f->Vertices, &TVertex::World);
      FaceNormals.push_back(n);
      if (FaceGeometry(*mesh, *f) <= 0 || FaceLighting(*mesh, *f) < 3) continue;
      for (const TVertex* v : f->Vertices)
        if (const int i = mesh->IndexOfVertex(v); i >= 0) AddVector(Normals[base + static_cast<size_t>(i)], n);
    }
    for (size_t i = base; i < Normals.size(); ++i) Normals[i] = Normalize(Normals[i]);
  }
  NormalsFound = true;
}

bool TGameDrawing::StillPlaced(const TCore& core) const {
  size_t meshes = 0;
  for (const TNode* node : core.Model->Nodes) {
    const TMesh* mesh = node->Mesh.get();
    if (!mesh || mesh->GeometryMode <= 0) continue;
    const auto place = Placed.find(mesh);
    if (place == Placed.end() || place->second.VertexCount != mesh->Vertices.Count() ||
        place->second.FaceCount != mesh->Surfaces.Count())
      return false;
    ++meshes;
  }
  return meshes >= Placed.size();
}

void TGameDrawing::PlaceVertices(const TEyeSpace& eye, const TGameLight& light) {
  EyeVertices.resize(Normals.size());
  for (const auto& [mesh, place] : Placed) {
    TEyeVertex* out = &EyeVertices[place.Vertices];
    for (const TVertex* v : mesh->Vertices) {
      out->Point = eye.Point(v->World);
      out->Normal = eye.Direction(Normals[static_cast<size_t>(out - EyeVertices.data())]);
      out->FromLight = Normalize(SubVector(out->Point, light.Position));
      ++out;
    }
  }
}

void TGameDrawing::Show(TCore& core, TGameBatch& batch, TFace& f, int geometry, const float* light, float alpha) {
  const TMaterials& materials = core.Model->Materials;
  const TMaterial* m = f.Material;
  const int count = f.Vertices.Count();
  const bool missing = !m || !m->Loaded;
  if (missing && m && m != LastMaterial && Reported.insert(m->Name).second)
    core.Services.MaterialNotFound(m->Name, "Game view: material '" + m->Name + "' not found; drawn chequered");
  LastMaterial = m;
  const bool textured = geometry >= 4 && !missing && m->IsTexture && HasPicture(*m) && f.TXVertices.Count() >= count;
  float mean = 0;
  for (int i = 0; i < count; ++i) mean += light[i];
  mean /= static_cast<float>(count);
  // Rows of the light table exist for 8-bit texels only, and one texture per row: a face
  // takes the row of its mean light, other colours are scaled by GL corner by corner.
  const bool byRow = textured && HasIndices(*m) && materials.LightTable.size() == 64 * 256;
  const unsigned texture = missing    ? Checker()
                           : textured ? Texture(core, *m, byRow ? Row(mean) : -1, f.HasFlag(ftTranslucent))
                                      : 0;
  FaceCorners.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    TGameCorner& c = FaceCorners[static_cast<size_t>(i)];
    const float l = light[i];
    c.S = c.T = 0;
    if (missing) {
      c.R = c.G = c.B = 1;
      c.S = i == 1 || i == 2 ? 1.0f : 0.0f;  // the corners of a square
      c.T = i >= 2 ? 1.0f : 0.0f;
    } else if (textured) {
      c.R = c.G = c.B = byRow ? 1.0f : l;
      c.S = f.TXVertices[i].U / static_cast<float>(m->Width);
      c.T = f.TXVertices[i].V / static_cast<float>(m->Height);
    } else if (m->SolidIndex >= 0 && m->SolidIndex < 256 && m->BitDepth == 8) {
      const auto lit = Lit(materials, m->SolidIndex, l);
      c.R = lit[0], c.G = lit[1], c.B = lit[2];
    } else {
      const auto* p = m->Pixels.size() >= 3 ? m->Pixels.data() : nullptr;
      c.R = p ? p[0] / 255.0f * l : l, c.G = p ? p[1] / 255.0f * l : l, c.B = p ? p[2] / 255.0f * l : l;
    }
    c.A = alpha;
    const TVector& w = f.Vertices[i]->World;
    c.X = static_cast<float>(w.X), c.Y = static_cast<float>(w.Y), c.Z = static_cast<float>(w.Z);
  }
  const TGameShape shape = geometry == 1 ? TGameShape::Points : geometry == 2 ? TGameShape::Outline : TGameShape::Filled;
  batch.AddFace(shape, texture, FaceCorners.data(), count);
}

void TGameDrawing::DrawMesh(TCore& core, TGameBatch& batch, TMesh& mesh, TGameFrame& frame) {
  const auto place = Placed.find(&mesh);
  const TEyeVertex* placed = place == Placed.end() ? nullptr : &EyeVertices[place->second.Vertices];
  // Kept normals are in the faces' order.
  const TVector* faceNormal = place == Placed.end() ? nullptr : &FaceNormals[place->second.Faces];
  for (TFace* face : mesh.Surfaces) {
    TFace& f = *face;
    const TVector* keptNormal = faceNormal ? faceNormal++ : nullptr;
    const int geometry = FaceGeometry(mesh, f);
    if (geometry <= 0 || f.Vertices.Count() < 1) continue;
    if (!LightFace(frame, mesh, f, placed, keptNormal)) continue;
    if (f.HasFlag(ftTranslucent)) {
      frame.Translucent.push_back({&f, geometry, frame.Lights.size(), frame.FaceDepth});
      frame.Lights.insert(frame.Lights.end(), frame.FaceLight.begin(), frame.FaceLight.end());
    } else {
      Show(core, batch, f, geometry, frame.FaceLight.data(), 1.0f);
    }
  }
}

void TGameDrawing::DrawTranslucent(TCore& core, TGameBatch& batch, TGameFrame& frame) {
  std::stable_sort(frame.Translucent.begin(), frame.Translucent.end(),
                   [](const TShownFace& a, const TShownFace& b) { return a.Depth < b.Depth; });
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  for (const TShownFace& s : frame.Translucent)
    Show(core, batch, *s.Face, s.Geometry, &frame.Lights[s.FirstLight],
         (255 - kTranslucentBackground) / 255.0f);
  batch.Flush();
}

void TGameDrawing::Draw(TCore& core, const TGameLight& light) {
  const TEyeSpace eye = CurrentEyeSpace();
  if (!NormalsFound || !StillPlaced(core)) FindNormals(core);
  PlaceVertices(eye, light);
  PushGameState();
  LastMaterial = nullptr;
  TGameBatch batch(Corners);
  TGameFrame frame(eye, light);
  for (TNode* node : core.Model->Nodes) {
    TMesh* mesh = node->Mesh.get();
    if (mesh && mesh->GeometryMode > 0) DrawMesh(core, batch, *mesh, frame);
  }
  batch.Flush();
  DrawTranslucent(core, batch, frame);
  glPopAttrib();
}
