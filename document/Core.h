#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Grid.h"
#include "document/ChangeEvents.h"
#include "document/History.h"
#include "model/Model.h"
#include "model/NodePose.h"
#include "document/Selection.h"
#include "services/UserServices.h"

enum TEditMode : unsigned char { emNode = 0, emSurface = 1, emVertex = 2 };
enum TToolMode : unsigned char { tmSelect = 0, tmMove = 1, tmRotate = 2, tmScale = 3 };
enum TCoreColor : int { ccGeometry = 0, ccVertices, ccSelection, ccGrid, ccGridZero, ccPivot, ccCount };

struct TBox;
struct TViewTransform;

struct TColorRGB {
  float R = 0, G = 0, B = 0;
};

// The document the editor works on: the model, the selections, the modes, the locks, the
// undo history and the colours. It reaches the user through Services and tells the windows
// what changed through Events.
class TCore {
 public:
  explicit TCore(TUserServices& services);
  ~TCore();
  TCore(const TCore&) = delete;
  TCore& operator=(const TCore&) = delete;

  TUserServices& Services;
  TGrid Grid;
  std::unique_ptr<TModel> Model;
  TSelection<TNode> Nodes;
  TSelection<TFace> Surfaces;
  TSelection<TVertex> Vertices;
  std::vector<std::string> ResourceList;
  bool LockX = false, LockY = false, LockZ = false;
  TColorRGB Colors[ccCount];
  unsigned Color2D = 0x000000;
  unsigned Color3D = 0xDD6F00;
  TEditMode EditMode = emNode;
  TToolMode ToolMode = tmSelect;
  THistory History;
  TChangeEvents Events;
  // The pose the views show and File > Export writes (an animation's frame); empty for the
  // rest pose. The model's nodes keep their own values whatever the pose.
  TNodePose Pose;

  // Tells the subscribers what changed (TChange bits). While a step that holds its news runs
  // (see BeginStep), they are kept and told with the step's own at its end.
  void Changed(unsigned changes) const {
    if (Holding)
      Held |= changes;
    else
      Events.Announce(changes);
  }

  // The history of steps: a new model's start, one user action between BeginStep and
  // CommitStep or CancelStep (see RunStep), and undo and redo, which restore the selection of
  // their moment. CommitStep announces once what the step changed: what the history saw
  // change in the model, the selection and the shown level of detail, with what the action
  // announced while `hold` kept it back; true when the model changed. A drag holds nothing, so
  // that the views follow the pointer. CancelStep brings back the model and the selection of
  // BeginStep, drops what was held and announces what the cancel changed.
  void ResetHistory();
  void BeginStep(bool hold = false);
  bool CommitStep(const std::string& caption);
  void CancelStep();
  void Undo();
  void Redo();

  void ClearSelection();
  // How many objects the current edit mode's selection holds.
  int SelectedCount() const;

  // Adds the object to its selection list, or removes it when already there. Each toggle
  // refreshes the property panel; a gesture that toggles many objects passes refresh =
  // false and calls Changed(chProperties) once at its end, which shows the same.
  void ToggleNode(TNode* node, bool refresh = true);
  void ToggleSurface(TFace* face, bool refresh = true);
  void ToggleVertex(TVertex* vertex, bool refresh = true);

  // Rubber-band selection: toggles every object whose vertices' World positions all project
  // into the pixel rectangle (corners in any order, top-left origin, every bound inclusive).
  // The property panel refreshes once when anything was toggled. Returns how many objects
  // were toggled.
  int SelectNodesInRect(int x1, int y1, int x2, int y2, const TViewTransform& view);
  int SelectSurfacesInRect(int x1, int y1, int x2, int y2, const TViewTransform& view);
  int SelectVerticesInRect(int x1, int y1, int x2, int y2, const TViewTransform& view);
  // Click selection at the pixel (sx, sy): in node and surface mode the front-most face under
  // the pixel's centre (its node in node mode), in vertex mode the vertex nearest to the
  // pixel within ClickRadius pixels. The current mode's selection becomes that one object, or
  // with `toggle` the object is added or taken out; the property panel refreshes once. False,
  // with the selection untouched, when nothing is there.
  static constexpr int ClickRadius = 4;
  bool SelectAt(int sx, int sy, bool toggle, const TViewTransform& view);
  // The World box of the vertices the current mode's selection covers (as a transform moves
  // them), or of the whole model when it covers none (nothing selected, or only nodes without
  // geometry); empty for a model without vertices.
  TBox SelectionBox() const;

  // What a transform of the current selection moves, by EditMode; the list is emptied first.
  void GetSelectedVertices(TVertices& list) const;
  // The faces drawn as selected, by EditMode (none in vertex mode); the list is emptied first.
  void GetSelectedSurfaces(TSurfaces& list) const;

 private:
  // What BeginStep saw: the selections' versions, summed, and the shown level of detail.
  uint64_t StepSelection = 0;
  int StepGeoset = 0;
  bool Holding = false;
  mutable unsigned Held = 0;
  uint64_t SelectionVersion() const { return Nodes.Version() + Surfaces.Version() + Vertices.Version(); }
  void GoInHistory(bool (THistory::*go)(TModel&, TSelectionState&));
};

// The selections by place in the model, as the history keeps them, and back.
TSelectionState TakeSelectionState(const TCore& core);
void RestoreSelectionState(TCore& core, const TSelectionState& selection);

TColorRGB SystemColorToRGB(unsigned color);
unsigned RGBToSystemColor(const TColorRGB& color);
