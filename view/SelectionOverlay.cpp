#define GL_GLEXT_PROTOTYPES 1
#include "view/SelectionOverlay.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "view/GLRoutines.h"
#include "view/MeshBuffers.h"
#include "view/ModelDrawing.h"

void TSelectionOverlay::Gather(TCore& core, const TMeshBuffers& buffers) {
  Ranges.clear();
  ++Gathers;
  if (core.EditMode == emVertex) return;
  for (const TNode* node : core.Model->Nodes) {
    const TMesh* mesh = node->Mesh.get();
    if (!mesh) continue;
    const TMeshBuffers::TEntry* e = buffers.Find(mesh);
    if (!e || e->FaceFirst.size() != static_cast<size_t>(mesh->Surfaces.Count())) continue;
    TRanges r{mesh, {}, {}};
    if (core.EditMode == emNode) {
      if (core.Nodes.Contains(node) && e->CornerCount > 0) {
        r.First.push_back(0);
        r.Count.push_back(e->CornerCount);
      }
    } else {
      // Faces next to each other in the buffer join one range: a whole selected mesh is
      // one draw per texture.
      const int faces = mesh->Surfaces.Count();
      for (int i = 0; i < faces; ++i) {
        const int count = e->FaceCount[static_cast<size_t>(i)];
        if (!count || !core.Surfaces.Contains(mesh->Surfaces[i])) continue;
        const int first = e->FaceFirst[static_cast<size_t>(i)];
        if (!r.First.empty() && r.First.back() + r.Count.back() == first)
          r.Count.back() += count;
        else {
          r.First.push_back(first);
          r.Count.push_back(count);
        }
      }
    }
    if (!r.First.empty()) Ranges.push_back(std::move(r));
  }
}

void TSelectionOverlay::Draw(TCore& core, const TMeshBuffers& buffers) {
  const TKey key{core.Nodes.Version(), core.Surfaces.Version(), core.EditMode, buffers.Generation};
  if (!Valid || key != Drawn) {
    Gather(core, buffers);
    Drawn = key;
    Valid = true;
  }
  DrawNodePivots(core);
  if (Ranges.empty()) return;
  Begin2DState();
  glDepthFunc(GL_LEQUAL);
  const TColorRGB& c = core.Colors[ccSelection];
  const auto each = [&](auto&& draw) {
    for (const TRanges& r : Ranges) {
      if (!buffers.BindCorners(r.Mesh)) continue;
      draw(r);
    }
    TMeshBuffers::UnbindCorners();
  };
  // The tint lies exactly on the faces (the same corners, the same offset as the faces'
  // own drawing) and leaves the depth as it was.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1.0f, 2.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor4f(c.R, c.G, c.B, kTint);
  each([](const TRanges& r) {
    glMultiDrawArrays(GL_TRIANGLES, r.First.data(), r.Count.data(), static_cast<GLsizei>(r.First.size()));
  });
  // The outlines are drawn a little nearer than the edges and faces under them, so that they
  // win over the model's own lines.
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glEnable(GL_POLYGON_OFFSET_LINE);
  glPolygonOffset(-1.0f, -4.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3f(c.R, c.G, c.B);
  each([](const TRanges& r) {
    glMultiDrawArrays(GL_TRIANGLES, r.First.data(), r.Count.data(), static_cast<GLsizei>(r.First.size()));
  });
  End2DState();
}
