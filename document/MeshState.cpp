#include "document/MeshState.h"

#include <algorithm>

#include "model/Model.h"

namespace {

size_t ChunkCount(size_t items) { return (items + TMeshState::ChunkSize - 1) / TMeshState::ChunkSize; }

// Reused between copies, so reading an unchanged chunk to compare it touches no new memory.
thread_local TMeshState::TVectorChunk VectorScratch;
thread_local TMeshState::TIntensityChunk IntensityScratch;
thread_local TMeshState::TFaceChunk FaceScratch;

// The chunk of `previous` when equal to `scratch`, else a new chunk holding it.
template <class Chunk, class Same>
std::shared_ptr<const Chunk> Share(const std::vector<std::shared_ptr<const Chunk>>* previous, size_t c,
                                   const Chunk& scratch, Same same, size_t& created, size_t bytes) {
  if (previous && c < previous->size() && same(*(*previous)[c], scratch)) return (*previous)[c];
  created += bytes;
  return std::make_shared<const Chunk>(scratch);
}

}  // namespace

bool TMeshState::TFaceChunk::SameCorners(const TFaceChunk& other) const {
  if (Corners != other.Corners || Faces.size() != other.Faces.size()) return false;
  for (size_t i = 0; i < Faces.size(); ++i)
    if (Faces[i].Corners != other.Faces[i].Corners) return false;
  return true;
}

bool TMeshState::TFaceChunk::SameAs(const TFaceChunk& other) const {
  if (!SameCorners(other)) return false;
  if (Faces != other.Faces) return false;
  for (size_t k = 0; k < TX.size(); ++k)
    if (!SameBits(TX[k].U, other.TX[k].U) || !SameBits(TX[k].V, other.TX[k].V)) return false;
  return true;
}

size_t TMeshState::TFaceChunk::Bytes() const {
  return sizeof *this + Faces.size() * sizeof(TFaceState) + Corners.size() * sizeof(int) + TX.size() * sizeof(TTXVertex);
}

bool TMeshState::SameHeader(const TMeshState& other) const {
  return Data == other.Data && VertexCount == other.VertexCount && FaceCount == other.FaceCount &&
         MaterialNames == other.MaterialNames;
}

template <class T>
void TMeshState::ReadVertices(const TMesh& mesh, size_t c, T TVertex::*field, std::vector<T>& out) {
  out.clear();
  const size_t end = std::min(static_cast<size_t>(mesh.Vertices.Count()), (c + 1) * ChunkSize);
  for (size_t i = c * ChunkSize; i < end; ++i) out.push_back(mesh.Vertices[static_cast<int>(i)]->*field);
}

void TMeshState::ReadFaces(TMesh& mesh, size_t c, TFaceChunk& out) {
  out.Faces.clear();
  out.Corners.clear();
  out.TX.clear();
  const size_t end = std::min(static_cast<size_t>(mesh.Surfaces.Count()), (c + 1) * ChunkSize);
  for (size_t i = c * ChunkSize; i < end; ++i) {
    TFace& f = *mesh.Surfaces[static_cast<int>(i)];
    const std::string& material = f.Material ? f.Material->Name : std::string();
    auto slot = std::find(MaterialNames.begin(), MaterialNames.end(), material);
    if (slot == MaterialNames.end()) slot = MaterialNames.insert(MaterialNames.end(), material);
    out.Faces.push_back({static_cast<int>(slot - MaterialNames.begin()), TFaceLook(f), f.Vertices.Count()});
    for (int k = 0; k < f.Vertices.Count(); ++k) {
      out.Corners.push_back(mesh.IndexOfVertex(f.Vertices[k]));
      out.TX.push_back(k < f.TXVertices.Count() ? f.TXVertices[k] : TTXVertex{});
    }
  }
}

std::shared_ptr<const TMeshState> TMeshState::Take(TMesh& mesh, const std::shared_ptr<const TMeshState>& previous,
                                                   size_t& created) {
  const TMeshState* prev = previous.get();
  const size_t vertices = static_cast<size_t>(mesh.Vertices.Count());
  const size_t faces = static_cast<size_t>(mesh.Surfaces.Count());
  const bool trusted = prev && vertices + faces >= TrustRevisionFrom;
  const bool sameVertices = trusted && prev->Revision == mesh.Revision;
  const bool sameFaces = trusted && prev->FaceRevision == mesh.FaceRevision;
  if (sameVertices && sameFaces) return previous;

  auto s = std::make_shared<TMeshState>();
  s->Data = mesh.Data();
  s->Radius = mesh.Radius;
  s->RadiusDirty = mesh.RadiusDirty;
  s->VertexCount = vertices;
  s->FaceCount = faces;
  s->Revision = mesh.Revision;
  s->FaceRevision = mesh.FaceRevision;
  size_t made = 0;
  const auto copyVectors = [&](auto field, auto member, auto& scratch) {
    if (sameVertices) {
      s.get()->*member = prev->*member;
      return;
    }
    using Chunk = std::remove_reference_t<decltype(scratch)>;
    const auto* before = prev ? &(prev->*member) : nullptr;
    for (size_t c = 0; c < ChunkCount(vertices); ++c) {
      ReadVertices(mesh, c, field, scratch);
      (s.get()->*member).push_back(Share(before, c, scratch, [](const Chunk& a, const Chunk& b) {
        return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
      }, made, sizeof scratch + scratch.size() * sizeof scratch[0]));
    }
  };
  copyVectors(&TVertex::Position, &TMeshState::PositionChunks, VectorScratch);
  copyVectors(&TVertex::Normal, &TMeshState::NormalChunks, VectorScratch);
  copyVectors(&TVertex::Intensity, &TMeshState::IntensityChunks, IntensityScratch);
  // Keeping the earlier copy's material numbering keeps unchanged face chunks equal.
  if (prev) s->MaterialNames = prev->MaterialNames;
  if (sameFaces) {
    s->FaceChunks = prev->FaceChunks;
  } else {
    mesh.IndexVertices();
    const auto* before = prev ? &prev->FaceChunks : nullptr;
    for (size_t c = 0; c < ChunkCount(faces); ++c) {
      s->ReadFaces(mesh, c, FaceScratch);
      s->FaceChunks.push_back(Share(before, c, FaceScratch, [](const TFaceChunk& a, const TFaceChunk& b) {
        return a.SameAs(b);
      }, made, FaceScratch.Bytes()));
    }
  }
  if (prev && made == 0 && s->SameHeader(*prev) && s->PositionChunks.size() == prev->PositionChunks.size() &&
      s->FaceChunks.size() == prev->FaceChunks.size()) {
    prev->Revision = mesh.Revision;
    prev->FaceRevision = mesh.FaceRevision;
    return previous;
  }
  created += made + sizeof *s + s->Data.Name.capacity() +
             (2 * s->PositionChunks.capacity() + s->IntensityChunks.capacity() + s->FaceChunks.capacity()) * sizeof(std::shared_ptr<void>);
  return s;
}

void TMeshState::WriteFaces(TMesh& mesh, size_t c, const std::vector<TMaterial*>& materials) const {
  const TFaceChunk& chunk = *FaceChunks[c];
  size_t corner = 0;
  for (size_t i = 0; i < chunk.Faces.size(); ++i) {
    const TFaceState& s = chunk.Faces[i];
    TFace& f = *mesh.Surfaces[static_cast<int>(c * ChunkSize + i)];
    f.Data() = {s.Look, materials[static_cast<size_t>(s.Material)]};
    TTXVertices tx;
    tx.Reserve(static_cast<size_t>(s.Corners));
    for (int k = 0; k < s.Corners; ++k) tx.Add(chunk.TX[corner + static_cast<size_t>(k)]);
    f.TXVertices = std::move(tx);
    corner += static_cast<size_t>(s.Corners);
  }
}

void TMeshState::RestoreInto(TMesh& mesh, const TMeshState* held) const {
  bool inPlace = held && held->VertexCount == VertexCount && held->FaceCount == FaceCount &&
                 static_cast<size_t>(mesh.Vertices.Count()) == VertexCount &&
                 static_cast<size_t>(mesh.Surfaces.Count()) == FaceCount;
  for (size_t c = 0; inPlace && c < FaceChunks.size(); ++c)
    inPlace = held->FaceChunks[c] == FaceChunks[c] || held->FaceChunks[c]->SameCorners(*FaceChunks[c]);
  if (!inPlace) {
    mesh.Surfaces.Clear();
    mesh.Vertices.Clear();
    mesh.Vertices.Reserve(VertexCount);
    for (size_t i = 0; i < VertexCount; ++i) mesh.AddVertex();
    mesh.Surfaces.Reserve(FaceCount);
    for (const auto& chunk : FaceChunks) {
      size_t corner = 0;
      for (const TFaceState& s : chunk->Faces) {
        TFace* f = mesh.AddFace(nullptr);  // the materials follow with the looks
        f->Vertices.Reserve(static_cast<size_t>(s.Corners));
        for (int k = 0; k < s.Corners; ++k) f->Vertices.Add(mesh.Vertices[chunk->Corners[corner++]]);
      }
    }
  }
  mesh.Data() = Data;
  const auto writeVectors = [&](auto field, const auto& mine, const auto* theirs) {
    for (size_t c = 0; c < mine.size(); ++c) {
      if (theirs && (*theirs)[c] == mine[c]) continue;
      const auto& chunk = *mine[c];
      for (size_t i = 0; i < chunk.size(); ++i) mesh.Vertices[static_cast<int>(c * ChunkSize + i)]->*field = chunk[i];
    }
  };
  writeVectors(&TVertex::Position, PositionChunks, inPlace ? &held->PositionChunks : nullptr);
  writeVectors(&TVertex::Normal, NormalChunks, inPlace ? &held->NormalChunks : nullptr);
  writeVectors(&TVertex::Intensity, IntensityChunks, inPlace ? &held->IntensityChunks : nullptr);
  std::vector<TMaterial*> materials;
  for (const std::string& name : MaterialNames)
    materials.push_back(name.empty() || !mesh.Model ? nullptr : mesh.Model->Materials.FindOrAdd(name));
  for (size_t c = 0; c < FaceChunks.size(); ++c)
    if (!inPlace || held->FaceChunks[c] != FaceChunks[c]) WriteFaces(mesh, c, materials);
  mesh.Radius = Radius;
  mesh.RadiusDirty = RadiusDirty;
  mesh.Touch();
  Revision = mesh.Revision;
  FaceRevision = mesh.FaceRevision;
}
