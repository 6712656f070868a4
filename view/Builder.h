#pragma once
#include <QWidget>
#include <functional>
#include <memory>
#include <tuple>

#include "camera/Camera.h"
#include "camera/ViewPanes.h"
#include "document/Core.h"
#include "view/Cameras.h"
#include "view/GameDrawing.h"
#include "view/MeshBuffers.h"
#include "view/SelectionOverlay.h"
#include "view/Textures.h"

class QAction;
class QComboBox;
class QHBoxLayout;
class QTabBar;
class QToolBar;
class TGLArea;

// The viewport frame: the drawing area with its camera tabs, the tool bar of edit modes,
// tools and axis locks, the grid spacing box, and a right-hand panel for the node tree and
// the property panel below it.
class TViewportFrame : public QWidget {
  Q_OBJECT
 public:
  TViewportFrame(TCore& core, QWidget* parent);
  ~TViewportFrame() override;

  // Status bar panels the frame writes: 0 pointer coordinates, 2 frame rate.
  std::function<void(int panel, const QString& text)> SetStatusPanel;
  // Installed by the node tree and the property panel; the user services forward to them.
  // Asked after the edit mode changed, with the mode's value (the property panel's page).
  std::function<void(int mode)> OnEditModeChanged;

  // Activates the drawing area, applies the saved grid spacing and shows the empty model.
  void Start();
  // Rebuild true recompiles the model's display list at this paint; false only replays it.
  void Redraw(bool rebuild);
  // While one lives, the frames asked for wait, and the last to go draws them as one: a new
  // model's settings, each of which would draw a big mesh, cost the one frame that shows them.
  class TFrameHold {
   public:
    explicit TFrameHold(TViewportFrame* frame) : Frame(frame) {
      if (Frame) ++Frame->Holds;
    }
    ~TFrameHold();
    TFrameHold(const TFrameHold&) = delete;
    TFrameHold& operator=(const TFrameHold&) = delete;

   private:
    TViewportFrame* Frame;
  };
  // After a new model: cameras fitted, selection cleared, tree and properties refreshed,
  // node mode and select tool, the current camera's settings applied, redrawn.
  void ModelReplaced();
  void ResetCameras();
  void SetEditMode(TEditMode mode);
  void SetToolMode(TToolMode mode);
  void SetViewKind(int kind);
  void SetViewMode(int mode);
  // The four cameras at once, each in its quarter with the current one framed, or the
  // current camera alone. The mouse acts in the pane under it and makes that camera current.
  void SetFourViews(bool on);
  bool FourViews() const { return ShowFour; }
  // Where camera `index` draws in the drawing area, in its pixels.
  TViewPane Pane(int index) const;
  // The index of the current camera (its tab's).
  int CurrentCamera() const;
  // The current camera fitted to what the selection covers, or to the whole model.
  void FrameSelection();
  // An action whose key works only while the drawing area has the focus, so that typed
  // into a text field elsewhere the key stays a letter.
  void AddViewKey(QAction* action);
  // The current camera's background, view mode and a redraw with rebuild.
  void tacCamerasChange();
  void SetLineEvery(double value);
  void SetSnapEvery(double value);
  // Applies the grid box's text; a text that is not a number raises EConvertError.
  void cbxGridEveryClick();
  void cbxSnapEveryClick();

  // The right-hand panel, filled top to bottom (the node tree, then the property panel);
  // hidden until a widget is placed there.
  void PlaceTreeWidget(QWidget* tree);

  TGLArea* glaMain = nullptr;
  QTabBar* tacCameras = nullptr;
  QComboBox* cbxGridEvery = nullptr;
  QComboBox* cbxSnapEvery = nullptr;
  QToolBar* tbrTools = nullptr;
  QAction *actEMNode, *actEMFace, *actEMVert;
  QAction *actTMSelect, *actTMMove, *actTMRotate, *actTMScale;
  QAction *actLockX, *actLockY, *actLockZ;
  std::unique_ptr<TCameras> Cameras;

  // The model's geometry in buffers, each mesh uploaded again when it changed, and the
  // selection drawn over it.
  TMeshBuffers Buffers;
  TSelectionOverlay Overlay;
  bool RebuildList = false;
  // The matrices and viewport of the current camera's last frame, for picking between frames;
  // the viewport is the pane's, with its top-left corner as the origin of the mouse positions.
  TViewTransform LastView{};
  TViewTransform PaneViews[PaneCount]{};
  int Rebuilds = 0;  // changes of the model drawn so far, for the tests and benchmarks
  // The Game view mode's light, which View > Options changes, and its drawing.
  TGameLight GameLight;
  TGameDrawing Game;

  // Mouse gesture state: the last press and the last position seen.
  bool MouseDown = false;
  bool CameraDrag = false;
  // A middle-button drag on the Free camera orbits about the selection's centre.
  bool OrbitDrag = false;
  TVector OrbitCentre;
  int StartX = 0, StartY = 0, LastX = 0, LastY = 0;
  // The keys held at the press and the view shown then: a click picks in what was seen.
  Qt::KeyboardModifiers PressMods;
  TViewTransform PressView{};

  void glaMainRender();
  void glaMainInitGL();
  void glaMainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void glaMainMouseMove(Qt::KeyboardModifiers mods, int x, int y);
  void glaMainMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void glaMainKeyDown(int key);
  void glaMainMouseWheel(int angleDelta, int x, int y);

 private:
  // One camera's frame into the viewport set for it, w × h pixels.
  void DrawCamera(int index, int w, int h);
  // In four views, the camera of the pane under a drawing-area point becomes current; gives
  // the point inside the current camera's pane.
  void TakePaneAt(int& x, int& y);
  // A drawing-area point inside the current camera's pane.
  void ToPane(int& x, int& y) const;
  void BuildToolBar(QHBoxLayout* row);
  QAction* AddToolAction(const char* name, const char* caption, const char* hint, const char* glyph);
  void ApplyTool(Qt::KeyboardModifiers mods, int x, int y);
  void SelectInRect();
  // A press and release less than ClickDistance pixels apart are a click, not a drag.
  static constexpr int ClickDistance = 3;
  bool IsClick(Qt::MouseButton button, int x, int y) const;
  // Shows changed selection marks in the node tree without refilling it.
  void RepaintTree();

  TCore& Core;
  bool ShowFour = false;
  TTextureCache Textures;
  QWidget* pnlTree = nullptr;
  int Holds = 0;
  bool FrameAsked = false;
};
