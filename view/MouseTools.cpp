// Mouse and keyboard tools of the drawing area: camera navigation with Ctrl/Alt and the
// wheel, the select, move, rotate and scale tools, clicks that pick, and the digit keys that
// switch cameras.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "editing/ToolEdits.h"
#include "model/Box.h"
#include "camera/CameraMoves.h"
#include "camera/CameraOrbit.h"
#include "view/Builder.h"
#include "view/GLArea.h"
#include "view/GLRoutines.h"
#include "view/ViewBindings.h"

namespace {
TVector Minus(const TVector& a, const TVector& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
}  // namespace

void TViewportFrame::glaMainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
  if (QWidget* surface = glaMain->Surface()) surface->setFocus();
  TakePaneAt(x, y);
  MouseDown = button == Qt::LeftButton;
  StartX = x;
  StartY = y;
  LastX = x;
  LastY = y;
  OrbitDrag = button == Qt::MiddleButton && !Cameras->Current().Rec.Orthogonal;
  if (OrbitDrag) {
    const TBox box = Core.SelectionBox();
    OrbitCentre = box.Empty ? TVector{} : MakeVector((box.Low.X + box.High.X) / 2, (box.Low.Y + box.High.Y) / 2,
                                                     (box.Low.Z + box.High.Z) / 2);
  }
  CameraDrag = (mods & (Qt::ControlModifier | Qt::AltModifier)) != 0;
  PressMods = mods;
  PressView = LastView;
  // A tool drag is one step of the history, from this press to the release.
  if (MouseDown && !CameraDrag && Core.ToolMode != tmSelect) Core.BeginStep();
}

void TViewportFrame::glaMainMouseMove(Qt::KeyboardModifiers mods, int x, int y) {
  if (glaMain->Active()) {
    // Over another pane, the pointer's place is read through that pane's camera.
    const bool dragging = MouseDown || OrbitDrag;
    const int under = ShowFour && !dragging ? FourViewPaneAt(x, y, glaMain->ClientWidth(), glaMain->ClientHeight())
                                            : CurrentCamera();
    const TViewPane pane = Pane(under);
    const TVector p = ScreenToWorld(PaneViews[under], x - pane.Left, y - pane.Top);
    char text[160];
    std::snprintf(text, sizeof text, "  X %.3f, Y %.3f, Z %.3f", p.X, p.Y, p.Z);
    if (SetStatusPanel) SetStatusPanel(0, QString::fromLatin1(text));
  }
  ToPane(x, y);
  if (OrbitDrag) {
    // As an Alt drag turns: sideways about the world's Z, up and down about the camera's X.
    TCameraRec& camera = Cameras->Current().Rec;
    camera = OrbitAbout(camera, OrbitCentre, y - LastY, x - LastX);
    Redraw(false);
  } else if (MouseDown && CameraDrag) {
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

void TViewportFrame::ApplyTool(Qt::KeyboardModifiers mods, int x, int y) {
  if (Core.ToolMode == tmSelect) {
    Redraw(false);
    return;
  }
  if (!glaMain->Active()) return;
  switch (Core.ToolMode) {
    case tmMove:
      MoveSelection(Core, Minus(ScreenToWorld(LastView, x, y), ScreenToWorld(LastView, LastX, LastY)),
                    mods & Qt::ShiftModifier);
      break;
    case tmRotate: {
      // The pointer's motion turned by a quarter turn in the window: a horizontal drag turns
      // about the screen's vertical axis, a vertical one about its horizontal axis.
      const double a = 10.0 * std::abs((x - LastX) + (y - LastY));
      const int w = Pane(CurrentCamera()).Width;
      const TVector d = Minus(ScreenToWorld(LastView, y, w - x), ScreenToWorld(LastView, LastY, w - LastX));
      RotateSelection(Core, {d.X * a, d.Y * a, d.Z * a});
      break;
    }
    case tmScale: {
      const TVector e = Minus(ScreenToWorld(LastView, LastX, LastY), ScreenToWorld(LastView, x, y));
      ScaleSelection(Core, {1 - e.X, 1 - e.Y, 1 - e.Z});
      break;
    }
    default:
      break;
  }
}

void TViewportFrame::TakePaneAt(int& x, int& y) {
  if (ShowFour) {
    const int at = FourViewPaneAt(x, y, glaMain->ClientWidth(), glaMain->ClientHeight());
    if (at != CurrentCamera()) {
      Cameras->SetCurrent(at);
      const TCameraRec& camera = Cameras->Current().Rec;
      SetViewMode(camera.ViewMode);
      // Its background's repaint draws the frame round the new camera's pane.
      SetViewKind(camera.Kind);
    }
  }
  ToPane(x, y);
}

void TViewportFrame::ToPane(int& x, int& y) const {
  const TViewPane pane = Pane(CurrentCamera());
  x -= pane.Left;
  y -= pane.Top;
}

bool TViewportFrame::IsClick(Qt::MouseButton button, int x, int y) const {
  const long long dx = x - StartX, dy = y - StartY;
  return button == Qt::LeftButton && dx * dx + dy * dy < ClickDistance * ClickDistance;
}

void TViewportFrame::glaMainMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  ToPane(x, y);
  const bool click = MouseDown && IsClick(button, x, y) && Core.ToolMode == tmSelect;
  MouseDown = false;
  if (OrbitDrag) {
    OrbitDrag = false;
    return;
  }
  if (CameraDrag) {
    // Ctrl alone at the press of a click toggles what it hits; a miss stays the pan it was.
    const bool ctrlOnly = (PressMods & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (click && ctrlOnly && Core.SelectAt(StartX, StartY, true, PressView)) Redraw(false);
    return;
  }
  if (Core.ToolMode != tmSelect) {
    EndToolDrag(Core, Core.ToolMode);
    return;
  }
  // A click on nothing is the tiny rectangle it always was.
  if (!click || !Core.SelectAt(StartX, StartY, false, PressView)) SelectInRect();
  Redraw(false);  // the selection marks are drawn apart from the model's compiled geometry
}

void TViewportFrame::SelectInRect() {
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

void TViewportFrame::glaMainKeyDown(int key) {
  if (key < Qt::Key_1 || key > Qt::Key_9) return;
  const int n = key - Qt::Key_0;
  if (n > Cameras->Count()) return;
  Cameras->SetCurrent(n - 1);
  tacCamerasChange();
}

void TViewportFrame::glaMainMouseWheel(int angleDelta, int x, int y) {
  TakePaneAt(x, y);
  TCameraRec& camera = Cameras->Current().Rec;
  const TViewPane pane = Pane(CurrentCamera());
  // The pointer stands for its pixel's centre, as the point the status bar shows.
  camera = ZoomAtPoint(camera, pane.Width, pane.Height, x + 0.5, y + 0.5, WheelZoomFactor(angleDelta));
  Redraw(false);
}

void TViewportFrame::FrameSelection() {
  TCameraRec& camera = Cameras->Current().Rec;
  const TViewPane pane = Pane(CurrentCamera());
  camera = FitCameraToBox(camera, pane.Width, pane.Height, Core.SelectionBox());
  Redraw(false);
}

std::vector<TViewBinding> ViewBindings(const std::string& frameKey) {
  std::string cameras;
  for (const TCameraRec& camera : DefaultCameras()) cameras += (cameras.empty() ? "" : ", ") + camera.Name;
  return {
      {"Wheel", "Zoom in (forward) or out at the pointer; the point under it stays put"},
      {"Ctrl+Drag", "Pan the camera"},
      {"Alt+Drag", "Turn the Free camera (the Top, Front and Side cameras do not turn)"},
      {"Middle drag", "Orbit the Free camera about the selection's centre (the whole model's without one)"},
      {"Ctrl+Alt+Drag", "Zoom: to the right in, to the left out"},
      {"Click", "Select tool: the face under the pointer becomes the selection (its node in node mode, the "
                "nearest vertex within " + std::to_string(TCore::ClickRadius) + " pixels in vertex mode); "
                "a click on nothing changes nothing"},
      {"Ctrl+Click", "Select tool: add the object under the pointer to the selection, or take it out"},
      {"Drag", "Select tool: add every object wholly inside the rectangle to the selection, or take it out; "
               "Move, Rotate and Scale tools: move, turn or scale the selection"},
      {"Shift+Drag", "Move tool in node mode: move the nodes' pivot points"},
      {"Right click", "Select tool: add what lies exactly under the pointer, or take it out"},
      {"1 to " + std::to_string(std::size(DefaultCameras())), "Show the camera of that number: " + cameras},
      {"Press in a pane", "View > Four Views: the pane's camera becomes the current one, and the press, drag or "
                          "wheel turn acts through it"},
      {frameKey.empty() ? "View menu" : frameKey, "Frame Selection: fit the camera to the selection, or to the "
                                                   "whole model when nothing is selected"},
  };
}
