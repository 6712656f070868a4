#define GL_GLEXT_PROTOTYPES 1
#include "view/MeshBuffers.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <unordered_set>

#include "model/Materials.h"
#include "model/Model.h"
#include "model/UniqueEdges.h"

namespace {

// One face corner as the buffers hold it: 28 bytes, normals in shorts (GL scales them to
// -1..1), which keeps a million-face mesh near 100 MB of buffer.
struct TCorner {
  float X, Y, Z;
  GLshort NX, NY, NZ, Pad;
  float U, V;
};
static_assert(sizeof(TCorner) == 28);

const void* Offset(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

GLshort ToShort(double v) { return static_cast<GLshort>(std::clamp(v, -1.0, 1.0) * 32767.0); }

// Changes whenever a material gains or loses its texture or its size: texture coordinates
// are divided by the size, and faces grouped by texture.
uint64_t TexturesStamp(const TMaterials& materials) {
  uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
  for (const TMaterial* m : materials) {
    mix(reinterpret_cast<uintptr_t>(m));
    mix(static_cast<uint64_t>(m->Loaded));
    mix(static_cast<uint64_t>(static_cast<int64_t>(m->TextureName)));
    mix(static_cast<uint64_t>(m->Width));
    mix(static_cast<uint64_t>(m->Height));
  }
  return h;
}

// A fingerprint of everything the buffers hold of a mesh: world positions, corners,
// texture coordinates and materials. The mesh's revisions cannot serve, as every update of
// the model moves them all on; one pass over the mesh costs a small part of an upload.
class THash {
 public:
  void Add(uint64_t v) { H = (H ^ v) * 0x100000001b3ull + (H >> 29); }
  void Add(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    Add(bits);
  }
  void Add(const void* p) { Add(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p))); }
  uint64_t Value() const { return H; }

 private:
  uint64_t H = 0xcbf29ce484222325ull;
};

TMeshBuffers::TEntry::TKey KeyOf(const TMesh& mesh, uint64_t textures) {
  TMeshBuffers::TEntry::TKey key;
  key.Textures = textures;
  key.Vertices = mesh.Vertices.Count();
  key.Faces = mesh.Surfaces.Count();
  THash h;
  for (const TVertex* v : mesh.Vertices) {
    h.Add(v);
    h.Add(v->World.X);
    h.Add(v->World.Y);
    h.Add(v->World.Z);
  }
  for (const TFace* f : mesh.Surfaces) {
    h.Add(f->Material);
    h.Add(static_cast<uint64_t>(f->Vertices.Count()));
    for (const TVertex* v : f->Vertices) h.Add(v);
    for (const TTXVertex& t : f->TXVertices) h.Add((static_cast<uint64_t>(std::bit_cast<uint32_t>(t.U)) << 32) | std::bit_cast<uint32_t>(t.V));
  }
  key.Content = h.Value();
  return key;
}

int TextureOf(const TFace& face) {
  const TMaterial* m = face.Material;
  return m && m->Loaded && m->TextureName >= 0 ? m->TextureName : -1;
}

// Fills a buffer of `bytes` through a mapping, so that the corners are written once,
// straight into the driver's memory.
template <class F>
void FillBuffer(GLenum target, unsigned& name, size_t bytes, F&& fill) {
  if (!name) glGenBuffers(1, &name);
  glBindBuffer(target, name);
  glBufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
  if (bytes == 0) return;
  void* p = glMapBufferRange(target, 0, static_cast<GLsizeiptr>(bytes), GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
  if (!p) return;
  fill(static_cast<char*>(p));
  glUnmapBuffer(target);
}

void DeleteBuffer(unsigned& name) {
  if (name) glDeleteBuffers(1, &name);
  name = 0;
}

// Hands `edge(face, from, to)` each edge of each face in face order, as vertex indices, from
// the face's first corner round to it again; a face of fewer than three corners has none. The
// faces' own lines, where each face's lines start, and the lines drawn once all come from here.
template <class F>
void ListEdges(const TMesh& mesh, F&& edge) {
  for (int i = 0; i < mesh.Surfaces.Count(); ++i) {
    const TFace& f = *mesh.Surfaces[i];
    const int n = f.Vertices.Count();
    if (n < 3) continue;
    const auto first = static_cast<GLuint>(mesh.IndexOfVertex(f.Vertices[0]));
    GLuint from = first;
    for (int k = 1; k <= n; ++k) {
      const GLuint to = k < n ? static_cast<GLuint>(mesh.IndexOfVertex(f.Vertices[k])) : first;
      edge(i, from, to);
      from = to;
    }
  }
}

// The faces' texture groups, in the order of their first face, each face's group (-1 for a
// face drawn as no triangle) and where each group's corners start.
struct TFaceGroups {
  std::vector<TMeshBuffers::TGroup> Groups;
  std::vector<int> FaceGroup;
  int Corners = 0;
};

TFaceGroups GroupByTexture(const TMesh& mesh) {
  TFaceGroups out;
  const int faces = mesh.Surfaces.Count();
  out.FaceGroup.assign(static_cast<size_t>(faces), -1);
  std::map<int, int> groupOf;
  for (int i = 0; i < faces; ++i) {
    const TFace& f = *mesh.Surfaces[i];
    const int n = f.Vertices.Count();
    if (n < 3) continue;
    const int texture = TextureOf(f);
    auto [it, added] = groupOf.try_emplace(texture, static_cast<int>(out.Groups.size()));
    if (added) out.Groups.push_back({texture, 0, 0});
    out.FaceGroup[static_cast<size_t>(i)] = it->second;
    out.Groups[static_cast<size_t>(it->second)].Count += 3 * (n - 2);
  }
  for (TMeshBuffers::TGroup& g : out.Groups) {
    g.First = out.Corners;
    out.Corners += g.Count;
  }
  return out;
}

// Each face's triangles as a fan from its first corner, at their group's next place, with the
// face's normal and its texture coordinates in parts of the texture's size.
void FillCorners(TMesh& mesh, const TFaceGroups& groups, TMeshBuffers::TEntry& entry) {
  const int faces = mesh.Surfaces.Count();
  entry.FaceFirst.assign(static_cast<size_t>(faces), 0);
  entry.FaceCount.assign(static_cast<size_t>(faces), 0);
  std::vector<int> next(groups.Groups.size());
  for (size_t g = 0; g < groups.Groups.size(); ++g) next[g] = groups.Groups[g].First;
  const size_t cornerBytes = static_cast<size_t>(groups.Corners) * sizeof(TCorner);
  FillBuffer(GL_ARRAY_BUFFER, entry.Corners, cornerBytes, [&](char* base) {
    auto* out = reinterpret_cast<TCorner*>(base);
    for (int i = 0; i < faces; ++i) {
      const int g = groups.FaceGroup[static_cast<size_t>(i)];
      if (g < 0) continue;
      TFace& f = *mesh.Surfaces[i];
      const int n = f.Vertices.Count();
      const TMaterial* m = f.Material;
      const bool textured = groups.Groups[static_cast<size_t>(g)].Texture >= 0;
      const float tw = textured && m->Width > 0 ? static_cast<float>(m->Width) : 1.0f;
      const float th = textured && m->Height > 0 ? static_cast<float>(m->Height) : 1.0f;
      const TVector normal = f.GetNormal();
      const GLshort nx = ToShort(normal.X), ny = ToShort(normal.Y), nz = ToShort(normal.Z);
      const int tx = f.TXVertices.Count();
      const auto corner = [&](int k) {
        const TVector& w = f.Vertices[k]->World;
        const float u = k < tx ? f.TXVertices[k].U / tw : 0.0f;
        const float v = k < tx ? f.TXVertices[k].V / th : 0.0f;
        return TCorner{static_cast<float>(w.X), static_cast<float>(w.Y), static_cast<float>(w.Z),
                       nx, ny, nz, 0, u, v};
      };
      int& at = next[static_cast<size_t>(g)];
      entry.FaceFirst[static_cast<size_t>(i)] = at;
      entry.FaceCount[static_cast<size_t>(i)] = 3 * (n - 2);
      for (int k = 1; k + 1 < n; ++k) {
        out[at++] = corner(0);
        out[at++] = corner(k);
        out[at++] = corner(k + 1);
      }
    }
  });
  entry.CornerCount = groups.Corners;
}

void FillPoints(const TMesh& mesh, TMeshBuffers::TEntry& entry) {
  const size_t bytes = static_cast<size_t>(mesh.Vertices.Count()) * 3 * sizeof(float);
  FillBuffer(GL_ARRAY_BUFFER, entry.Points, bytes, [&](char* base) {
    auto* out = reinterpret_cast<float*>(base);
    for (const TVertex* v : mesh.Vertices) {
      *out++ = static_cast<float>(v->World.X);
      *out++ = static_cast<float>(v->World.Y);
      *out++ = static_cast<float>(v->World.Z);
    }
  });
}

// The faces' own lines, face by face, then the whole mesh's, each shared edge once.
void FillEdges(const TMesh& mesh, TMeshBuffers::TEntry& entry) {
  entry.EdgeFirst.assign(static_cast<size_t>(mesh.Surfaces.Count()) + 1, 0);
  ListEdges(mesh, [&](int face, GLuint, GLuint) {
    entry.EdgeFirst[static_cast<size_t>(face) + 1] += 2;
  });
  for (size_t i = 1; i < entry.EdgeFirst.size(); ++i) entry.EdgeFirst[i] += entry.EdgeFirst[i - 1];
  entry.EdgeIndices = entry.EdgeFirst.back();
  const TUniqueEdges unique(static_cast<uint32_t>(mesh.Vertices.Count()),
                            [&](const std::function<void(uint32_t, uint32_t)>& edge) {
                              ListEdges(mesh, [&](int, GLuint from, GLuint to) { edge(from, to); });
                            });
  const size_t indices = static_cast<size_t>(entry.EdgeIndices) + 2 * unique.Count();
  FillBuffer(GL_ELEMENT_ARRAY_BUFFER, entry.Edges, indices * sizeof(GLuint), [&](char* base) {
    auto* out = reinterpret_cast<GLuint*>(base);
    ListEdges(mesh, [&](int, GLuint from, GLuint to) {
      *out++ = from;
      *out++ = to;
    });
    unique.Write(out);
  });
  entry.UniqueIndices = static_cast<int>(2 * unique.Count());
}

}  // namespace

void TMeshBuffers::Upload(const TMesh& constMesh, TEntry& entry) {
  TMesh& mesh = const_cast<TMesh&>(constMesh);  // face normals are computed on demand
  mesh.IndexVertices();
  TFaceGroups groups = GroupByTexture(mesh);
  FillCorners(mesh, groups, entry);
  FillPoints(mesh, entry);
  FillEdges(mesh, entry);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  entry.Groups = std::move(groups.Groups);
  ++Uploads;
  ++Generation;
}

void TMeshBuffers::Sync(TModel& model) {
  const uint64_t textures = TexturesStamp(model.Materials);
  std::unordered_set<const TMesh*> seen;
  Order.clear();
  for (const TNode* node : model.Nodes) {
    const TMesh* mesh = node->Mesh.get();
    if (!mesh || !seen.insert(mesh).second) continue;
    Order.push_back(mesh);
    TEntry& entry = Entries[mesh];
    const TEntry::TKey key = KeyOf(*mesh, textures);
    if (entry.Corners && entry.Key == key) continue;
    Upload(*mesh, entry);
    entry.Key = key;
  }
  for (auto it = Entries.begin(); it != Entries.end();) {
    if (seen.count(it->first)) {
      ++it;
      continue;
    }
    DeleteBuffer(it->second.Corners);
    DeleteBuffer(it->second.Points);
    DeleteBuffer(it->second.Edges);
    it = Entries.erase(it);
    ++Generation;
  }
}

void TMeshBuffers::DrawFaces(int viewMode) const {
  const bool texturing = glIsEnabled(GL_TEXTURE_2D);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  for (const TMesh* mesh : Order) {
    const TEntry& e = Entries.at(mesh);
    if (!e.CornerCount) continue;
    glBindBuffer(GL_ARRAY_BUFFER, e.Corners);
    glVertexPointer(3, GL_FLOAT, sizeof(TCorner), Offset(offsetof(TCorner, X)));
    glNormalPointer(GL_SHORT, sizeof(TCorner), Offset(offsetof(TCorner, NX)));
    glTexCoordPointer(2, GL_FLOAT, sizeof(TCorner), Offset(offsetof(TCorner, U)));
    if (viewMode != 2) {
      // Texturing is off in the other modes, so the groups need no binding of their own.
      glDrawArrays(GL_TRIANGLES, 0, e.CornerCount);
      continue;
    }
    for (const TGroup& g : e.Groups) {
      if (g.Texture >= 0) {
        if (texturing) glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(g.Texture));
      } else {
        glDisable(GL_TEXTURE_2D);
      }
      glDrawArrays(GL_TRIANGLES, g.First, g.Count);
    }
    if (texturing) glEnable(GL_TEXTURE_2D);
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

void TMeshBuffers::DrawEdges() const {
  glEnableClientState(GL_VERTEX_ARRAY);
  for (const TMesh* mesh : Order) {
    const TEntry& e = Entries.at(mesh);
    if (!e.EdgeIndices) continue;
    glBindBuffer(GL_ARRAY_BUFFER, e.Points);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, e.Edges);
    glVertexPointer(3, GL_FLOAT, 0, Offset(0));
    glDrawElements(GL_LINES, e.UniqueIndices, GL_UNSIGNED_INT, Offset(static_cast<size_t>(e.UniqueFirst()) * sizeof(GLuint)));
  }
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glDisableClientState(GL_VERTEX_ARRAY);
}

bool TMeshBuffers::BindCorners(const TMesh* mesh) const {
  const TEntry* e = Find(mesh);
  if (!e || !e->CornerCount) return false;
  glBindBuffer(GL_ARRAY_BUFFER, e->Corners);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(TCorner), Offset(offsetof(TCorner, X)));
  return true;
}

bool TMeshBuffers::BindEdges(const TMesh* mesh) const {
  const TEntry* e = Find(mesh);
  if (!e || !e->EdgeIndices) return false;
  glBindBuffer(GL_ARRAY_BUFFER, e->Points);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, e->Edges);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, Offset(0));
  return true;
}

void TMeshBuffers::Unbind() {
  glDisableClientState(GL_VERTEX_ARRAY);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TMeshBuffers::Release() {
  for (auto& [mesh, e] : Entries) {
    DeleteBuffer(e.Corners);
    DeleteBuffer(e.Points);
    DeleteBuffer(e.Edges);
  }
  Forget();
}
