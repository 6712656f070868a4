#include "view/ModelDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "document/Core.h"
#include "model/WorldFrames.h"
#include "view/GLBatch.h"
#include "view/GLRoutines.h"
#include "view/MeshBuffers.h"

namespace {

void DrawPivot(const TCore& core, const TVector& p) {
  SetColor(core, ccPivot);
  glPointSize(4);
  Begin2DState();
  glBegin(GL_POINTS);
  glVertex3f(static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z));
  glEnd();
  End2DState();
}

void EnableFaceOffset() {
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1.0f, 2.0f);
}

void GridLine(const TCore& core, int kind, double t, bool constantV, const TVector& a, const TVector& b) {
  SetColor(core, t == 0 ? ccGridZero : ccGrid);
  const float f = static_cast<float>(t);
  switch (kind) {
    case 0:
      if (constantV) {
        glVertex3f(static_cast<float>(a.X), f, -50);
        glVertex3f(static_cast<float>(b.X), f, -50);
      } else {
        glVertex3f(f, static_cast<float>(a.Y), -50);
        glVertex3f(f, static_cast<float>(b.Y), -50);
      }
      break;
    case 1:
      if (constantV) {
        glVertex3f(static_cast<float>(a.X), -50, f);
        glVertex3f(static_cast<float>(b.X), -50, f);
      } else {
        glVertex3f(f, -50, static_cast<float>(a.Z));
        glVertex3f(f, -50, static_cast<float>(b.Z));
      }
      break;
    default:
      if (constantV) {
        glVertex3f(-50, static_cast<float>(a.Y), f);
        glVertex3f(-50, static_cast<float>(b.Y), f);
      } else {
        glVertex3f(-50, f, static_cast<float>(a.Z));
        glVertex3f(-50, f, static_cast<float>(b.Z));
      }
  }
}

// Lines past these counts would fill the window solid or cost seconds per frame.
constexpr double MaxWalkedLines = 100000;
constexpr double MaxVisibleLines = 10000;

// One family of parallel lines between the two corner values, outward from zero in both
// directions, the running value accumulated by addition. A view panned so far from zero
// that the walk would take too long starts at the first visible multiple instead, and a
// spacing too fine to see is not drawn.
void GridFamily(const TCore& core, int kind, bool constantV, double c1, double c2, const TVector& a,
                const TVector& b) {
  const double step = core.Grid.LineEvery;
  const double lo = std::min(c1, c2), hi = std::max(c1, c2);
  if ((hi - lo) / step > MaxVisibleLines) return;
  if (std::max(std::fabs(lo), std::fabs(hi)) / step > MaxWalkedLines) {
    for (double k = std::ceil(lo / step); k * step < hi; k += 1)
      if (k * step > lo) GridLine(core, kind, k * step, constantV, a, b);
    return;
  }
  for (double t = 0; t <= hi; t += step)
    if (t > lo) GridLine(core, kind, t, constantV, a, b);
  for (double t = 0; t >= lo; t -= step)
    if (t < hi) GridLine(core, kind, t, constantV, a, b);
}

}  // namespace

void DrawVertexPoints(const TCore& core) {
  glPointSize(3);
  Begin2DState();
  TGLBatch points(GL_POINTS);
  for (const TNode* n : core.Model->Nodes)
    if (n->Mesh)
      for (const TVertex* v : n->Mesh->Vertices)
        points.Add(v->World, core.Colors[core.Vertices.Contains(v) ? ccSelection : ccVertices]);
  points.Flush();
  End2DState();
  SetColor(core, ccGeometry);
}

void PrepareModel(TCore& core) {
  PlacePosed(*core.Model, core.Pose);
}

void DrawNodePivots(const TCore& core) {
  if (core.EditMode != emNode || core.Nodes.Empty()) return;
  const TModel& model = *core.Model;
  const TWorldFrames frames(model, &core.Pose);  // one walk over the hierarchy for all the pivots
  for (TNode* n : model.Nodes)
    if (core.Nodes.Contains(n)) DrawPivot(core, frames.NodePosition(*n));
}

void DrawGeometry(const TCore& core, const TMeshBuffers& buffers, int viewMode) {
  SetColor(core, ccGeometry);
  if (viewMode == 0) {
    buffers.DrawEdges();
    return;
  }
  EnableFaceOffset();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  buffers.DrawFaces(viewMode);
}

void DrawGrid(const TCore& core, int kind, int width, int height) {
  if (core.Grid.LineEvery <= 0 || kind < 0 || kind > 2) return;
  Begin2DState();
  const TVector a = ScreenToWorld(0, 0);
  const TVector b = ScreenToWorld(width, height);
  glBegin(GL_LINES);
  switch (kind) {
    case 0:
      GridFamily(core, kind, true, a.Y, b.Y, a, b);
      GridFamily(core, kind, false, a.X, b.X, a, b);
      break;
    case 1:
      GridFamily(core, kind, true, a.Z, b.Z, a, b);
      GridFamily(core, kind, false, a.X, b.X, a, b);
      break;
    default:
      GridFamily(core, kind, true, a.Z, b.Z, a, b);
      GridFamily(core, kind, false, a.Y, b.Y, a, b);
  }
  glEnd();
  End2DState();
}

void DrawSelectionRect(double x1, double y1, double x2, double y2) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const double h = viewport[3];
  Begin2DState();
  glColor3f(1, 0, 0);
  glLineWidth(1);
  glBegin(GL_LINE_LOOP);
  glVertex3d(x1, h - y1, 100);
  glVertex3d(x2, h - y1, 100);
  glVertex3d(x2, h - y2, 100);
  glVertex3d(x1, h - y2, 100);
  glEnd();
  End2DState();
}
