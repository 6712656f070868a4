// Mouse and keyboard tools of the drawing area: camera navigation with Ctrl/Alt, the
// select, move, rotate and scale tools, and the digit keys that switch cameras.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/VertexOps.h"
#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/GLRoutines.h"

namespace {
TVector Minus(const TVector& a, const TVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

void ApplyLocks(const TCore& core, TVector& d, double lockedValue) {
  if (core.LockX) d.X = lockedValue;
  if (core.LockY) d.Y = lockedValue;
  if (core.LockZ) d.Z = lockedValue;
}
}  // namespace

void TfraBuilder::glaMainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
  if (QWidget* surface = glaMain->Surface()) surface->setFocus();
  MouseDown = button == Qt::LeftButton;
  StartX = x;
  StartY = y;
  CameraDrag = (mods & (Qt::ControlModifier | Qt::AltModifier)) != 0;
}

void TfraBuilder::glaMainMouseMove(Qt::KeyboardModifiers mods, int x, int y) {
  if (glaMain->MakeCurrent()) {
    const TVector p = ScreenToWorld(x, y);
    char text[160];
    std::snprintf(text, sizeof text, "  X %.3f, Y %.3f, Z %.3f", p.X, p.Y, p.Z);
    if (SetStatusPanel) SetStatusPanel(0, QString::fromLatin1(text));
  }
  if (MouseDown && CameraDrag) {
    TCameraRec& camera = Cameras->Current().Rec;
    const double k = std::fabs(camera.Z) / 1000;
    const int dx = x - LastX, dy = y - LastY;
    const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
    if (ctrl && !alt) {
      camera.X += dx * k;
      camera.Y -= dy * k;
    } else if (alt && !ctrl) {
      if (!camera.Orthogonal) {
        camera.RotZ += dx;
        camera.RotX += dy;
      }
    } else if (ctrl && alt) {
      if (camera.Z >= 0)
        camera.Z = -0.000005;
      else
        camera.Z += dx * k;
    }
    Redraw(false);
  } else if (MouseDown) {
    ApplyTool(mods, x, y);
  }
  LastX = x;
  LastY = y;
}

void TfraBuilder::ApplyTool(Qt::KeyboardModifiers mods, int x, int y) {
  if (Core.ToolMode == tmSelect) {
    Redraw(false);
    return;
  }
  if (!glaMain->MakeCurrent()) return;
  TVertices selected;
  switch (Core.ToolMode) {
    case tmMove: {
      TVector d = Minus(ScreenToWorld(x, y), ScreenToWorld(LastX, LastY));
      ApplyLocks(Core, d, 0);
      if (Core.EditMode != emNode) {
        Core.GetSelectedVertices(selected);
        TranslateVertices(selected.Raw(), d);
      } else if (mods & Qt::ShiftModifier) {
        for (TNode* node : Core.Nodes) {
          AddVector(node->Position, d);
          int budget = Core.Model->Nodes.Count();  // a damaged sibling chain must not loop
          for (TNode* child = node->Child; child && budget-- > 0; child = child->Sibling)
            child->Position = Minus(child->Position, d);
          node->Pivot = Minus(node->Pivot, d);
        }
      } else {
        for (TNode* node : Core.Nodes) AddVector(node->Position, d);
      }
      break;
    }
    case tmRotate: {
      const double a = 10.0 * std::abs((x - LastX) + (y - LastY));
      const int w = glaMain->ClientWidth();
      TVector d = Minus(ScreenToWorld(y, w - x), ScreenToWorld(LastY, w - LastX));
      d = {d.X * a, d.Y * a, d.Z * a};
      ApplyLocks(Core, d, 0);
      if (Core.EditMode == emNode) {
        for (TNode* node : Core.Nodes) {
          node->Rotation.X += d.X;
          node->Rotation.Y += d.Z;
          node->Rotation.Z += d.Y;
        }
      } else {
        Core.GetSelectedVertices(selected);
        RotateVertices(selected.Raw(), d, VerticesCentre(selected.Raw()));
      }
      break;
    }
    case tmScale: {
      const TVector e = Minus(ScreenToWorld(LastX, LastY), ScreenToWorld(x, y));
      TVector s{1 - e.X, 1 - e.Y, 1 - e.Z};
      ApplyLocks(Core, s, 1);
      Core.GetSelectedVertices(selected);
      ScaleVertices(selected.Raw(), s, VerticesCentre(selected.Raw()));
      break;
    }
    default:
      break;
  }
  Redraw(true);
}

void TfraBuilder::glaMainMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
  MouseDown = false;
  if (CameraDrag) return;
  switch (Core.ToolMode) {
    case tmMove:
    case tmRotate:
      Core.Services.UpdateProperties();
      Core.Model->Update();
      break;
    case tmScale:
      Core.Model->Update();
      break;
    case tmSelect:
      SelectInRect();
      break;
  }
  Redraw(true);
}

void TfraBuilder::SelectInRect() {
  switch (Core.EditMode) {
    case emNode:
      Core.SelectNodesInRect(StartX, StartY, LastX, LastY, LastView);
      RepaintTree();
      break;
    case emSurface:
      Core.SelectSurfacesInRect(StartX, StartY, LastX, LastY, LastView);
      break;
    case emVertex:
      Core.SelectVerticesInRect(StartX, StartY, LastX, LastY, LastView);
      break;
  }
}

void TfraBuilder::glaMainKeyDown(int key) {
  if (key < Qt::Key_1 || key > Qt::Key_9) return;
  const int n = key - Qt::Key_0;
  if (n > Cameras->Count()) return;
  Cameras->SetCurrent(n - 1);
  tacCamerasChange();
}
