#define GL_GLEXT_PROTOTYPES 1
#include "view/SelectionOverlay.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

#include "view/GLRoutines.h"
#include "view/MeshBuffers.h"
#include "view/ModelDrawing.h"

namespace {

const void* ByteOffset(int indices) { return reinterpret_cast<const void*>(static_cast<size_t>(indices) * sizeof(GLuint)); }

// Adds the run of `count` from `first`, joined to the last run when they touch: a whole
// selected mesh is one run per texture.
void AddRun(std::vector<int>& firsts, std::vector<int>& counts, int first, int count) {
  if (!count) return;
  if (!firsts.empty() && firsts.back() + counts.back() == first)
    counts.back() += count;
  else {
    firsts.push_back(first);
    counts.push_back(count);
  }
}

}  // namespace

void TSelectionOverlay::Gather(TCore& core, const TMeshBuffers& buffers) {
  Ranges.clear();
  ++Gathers;
  if (core.EditMode == emVertex) return;
  for (const TNode* node : core.Model->Nodes) {
    const TMesh* mesh = node->Mesh.get();
    if (!mesh) continue;
    const TMeshBuffers::TEntry* e = buffers.Find(mesh);
    const int faces = mesh->Surfaces.Count();
    if (!e || e->FaceFirst.size() != static_cast<size_t>(faces)) continue;
    TRanges r{mesh, {}, {}, {}, {}, {}, {}};
    std::vector<int> edgeFirst, otherEdgeFirst;
    if (core.EditMode == emNode) {
      if (!core.Nodes.Contains(node)) continue;
      AddRun(r.First, r.Count, 0, e->CornerCount);
      AddRun(edgeFirst, r.EdgeCount, 0, e->EdgeIndices);
    } else {
      for (int i = 0; i < faces; ++i) {
        const size_t f = static_cast<size_t>(i);
        const int edges = e->EdgeFirst[f + 1] - e->EdgeFirst[f];
        if (!core.Surfaces.Contains(mesh->Surfaces[i])) {
          AddRun(otherEdgeFirst, r.OtherEdgeCount, e->EdgeFirst[f], edges);
          continue;
        }
        AddRun(r.First, r.Count, e->FaceFirst[f], e->FaceCount[f]);
        AddRun(edgeFirst, r.EdgeCount, e->EdgeFirst[f], edges);
      }
    }
    // A whole mesh's outline is its shared edges drawn once.
    if (edgeFirst.size() == 1 && edgeFirst[0] == 0 && r.EdgeCount[0] == e->EdgeIndices) {
      edgeFirst[0] = e->UniqueFirst();
      r.EdgeCount[0] = e->UniqueIndices;
    }
    for (int first : edgeFirst) r.EdgeOffset.push_back(ByteOffset(first));
    for (int first : otherEdgeFirst) r.OtherEdgeOffset.push_back(ByteOffset(first));
    if (!r.First.empty() || !r.EdgeCount.empty()) Ranges.push_back(std::move(r));
  }
}

void TSelectionOverlay::Update(TCore& core, const TMeshBuffers& buffers) {
  const TKey key{core.Nodes.Version(), core.Surfaces.Version(), core.EditMode, buffers.Generation};
  if (Valid && key == Drawn) return;
  Gather(core, buffers);
  Drawn = key;
  Valid = true;
}

void TSelectionOverlay::DrawUnselectedEdges(TCore& core, const TMeshBuffers& buffers) {
  Update(core, buffers);
  std::vector<const TMesh*> drawn;
  for (const TNode* node : core.Model->Nodes) {
    const TMesh* mesh = node->Mesh.get();
    if (!mesh || std::find(drawn.begin(), drawn.end(), mesh) != drawn.end() || !buffers.BindEdges(mesh)) continue;
    drawn.push_back(mesh);
    const auto r = std::find_if(Ranges.begin(), Ranges.end(), [mesh](const TRanges& x) { return x.Mesh == mesh; });
    if (const TMeshBuffers::TEntry* e = buffers.Find(mesh); r == Ranges.end())
      glDrawElements(GL_LINES, e->UniqueIndices, GL_UNSIGNED_INT, ByteOffset(e->UniqueFirst()));
    else if (!r->OtherEdgeCount.empty())
      glMultiDrawElements(GL_LINES, r->OtherEdgeCount.data(), GL_UNSIGNED_INT, r->OtherEdgeOffset.data(),
                          static_cast<GLsizei>(r->OtherEdgeCount.size()));
  }
  TMeshBuffers::Unbind();
}

void TSelectionOverlay::Draw(TCore& core, const TMeshBuffers& buffers) {
  Update(core, buffers);
  DrawNodePivots(core);
  if (Ranges.empty()) return;
  Begin2DState();
  // Colours set here must not become the faces' material in the next frame.
  glDisable(GL_COLOR_MATERIAL);
  glDepthFunc(GL_LEQUAL);
  const TColorRGB& c = core.Colors[ccSelection];
  // The tint lies exactly on the faces (the same corners, the same offset as the faces' own
  // drawing) and leaves the depth as it was.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1.0f, 2.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor4f(c.R, c.G, c.B, kTint);
  for (const TRanges& r : Ranges)
    if (!r.First.empty() && buffers.BindCorners(r.Mesh))
      glMultiDrawArrays(GL_TRIANGLES, r.First.data(), r.Count.data(), static_cast<GLsizei>(r.First.size()));
  // The outlines are the very lines of the wireframe, so that at equal depth they win over
  // the model's own.
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glColor3f(c.R, c.G, c.B);
  for (const TRanges& r : Ranges)
    if (!r.EdgeCount.empty() && buffers.BindEdges(r.Mesh))
      glMultiDrawElements(GL_LINES, r.EdgeCount.data(), GL_UNSIGNED_INT, r.EdgeOffset.data(),
                          static_cast<GLsizei>(r.EdgeCount.size()));
  TMeshBuffers::Unbind();
  End2DState();
}
