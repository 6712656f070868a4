#include "editing/ToolEdits.h"

#include <functional>
#include <utility>
#include <vector>

#include "editing/FileRange.h"
#include "editing/NodeName.h"
#include "model/VertexOps.h"

namespace {

void ApplyLocks(const TCore& core, TVector& v, double locked) {
  if (core.LockX) v.X = locked;
  if (core.LockY) v.Y = locked;
  if (core.LockZ) v.Z = locked;
}

std::vector<TVertex*> SelectedVertices(const TCore& core) {
  TVertices list;
  core.GetSelectedVertices(list);
  return std::move(list.Raw());
}

// Every result is looked at before any vertex moves.
TCommandResult MapSelected(TCore& core, const char* doer, const std::vector<TVertex*>& list, const TPositionMap& map) {
  TCommandResult fits = ResultsFit(core, doer, list, [&map](const TVertex& v) { return map(v.Position); });
  if (fits.Succeeded()) MapVertices(list, map);
  return fits;
}

// The direct children, through the links of the last tree fill; a damaged sibling chain
// cannot make the walk endless.
template <class F>
void ForChildren(const TCore& core, TNode& node, F&& visit) {
  int budget = core.Model->Nodes.Count();
  for (TNode* child = node.Child; child && budget-- > 0; child = child->Sibling) visit(*child);
}

// Runs `edit` on every selected node in selection order. A node may be touched twice (as a
// selected node and as a child of one), so the results are looked at afterwards: when one no
// longer fits a file, every touched node gets back the fields it had.
TCommandResult EditSelectedNodes(TCore& core, const char* doer, bool children,
                                 const std::function<void(TNode&)>& edit) {
  struct TFields {
    TNode* Node;
    TVector Position, Rotation, Pivot;
  };
  std::vector<TFields> saved;
  const auto save = [&saved](TNode& n) { saved.push_back({&n, n.Position, n.Rotation, n.Pivot}); };
  for (TNode* node : core.Nodes) {
    save(*node);
    if (children) ForChildren(core, *node, save);
  }
  for (TNode* node : core.Nodes) edit(*node);
  for (const TFields& s : saved) {
    const TNode& n = *s.Node;
    if (FitsFileRange(n.Position) && FitsFileRange(n.Rotation) && FitsFileRange(n.Pivot)) continue;
    // Backwards, so a node saved twice ends with what it had first.
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
      it->Node->Position = it->Position;
      it->Node->Rotation = it->Rotation;
      it->Node->Pivot = it->Pivot;
    }
    return RefuseBeyondFileRange(core, doer, "node '" + n.Name + "'");
  }
  return {};
}

}  // namespace

TCommandResult MoveSelection(TCore& core, TVector d, bool pivot) {
  ApplyLocks(core, d, 0);
  TCommandResult done;
  if (core.EditMode != emNode) {
    done = MapSelected(core, "Move", SelectedVertices(core), TranslationMap(d));
  } else {
    // Node positions are relative to their parents while d is a world displacement: the
    // tool moves by it unconverted, as the pointer shows it in the view.
    done = EditSelectedNodes(core, "Move", pivot, [&](TNode& node) {
      AddVector(node.Position, d);
      if (!pivot) return;
      ForChildren(core, node, [&d](TNode& child) { child.Position = SubVector(d, child.Position); });
      node.Pivot = SubVector(d, node.Pivot);
    });
  }
  core.Changed(chGeometry);
  return done;
}

TCommandResult RotateSelection(TCore& core, TVector angles) {
  ApplyLocks(core, angles, 0);
  TCommandResult done;
  if (core.EditMode == emNode) {
    // NodeRotation turns pitch about X, yaw about Z and roll about Y.
    done = EditSelectedNodes(core, "Rotate", false, [&angles](TNode& node) {
      node.Rotation.X += angles.X;
      node.Rotation.Y += angles.Z;
      node.Rotation.Z += angles.Y;
    });
  } else if (!(angles == TVector{})) {
    // Turned about their centre by nothing, vertices would still move by rounding.
    const std::vector<TVertex*> list = SelectedVertices(core);
    done = MapSelected(core, "Rotate", list, RotationMap(angles, VerticesCentre(list)));
  }
  core.Changed(chGeometry);
  return done;
}

TCommandResult ScaleSelection(TCore& core, TVector factors) {
  ApplyLocks(core, factors, 1);
  TCommandResult done;
  // Scaled about their centre by one, vertices would still move by rounding.
  if (!(factors == TVector{1, 1, 1})) {
    const std::vector<TVertex*> list = SelectedVertices(core);
    done = MapSelected(core, "Scale", list, ScaleMap(factors, VerticesCentre(list)));
  }
  core.Changed(chGeometry);
  return done;
}

void FinishToolDrag(TCore& core) { core.Model->Update(); }

void EndToolDrag(TCore& core, TToolMode tool) {
  const char* caption = tool == tmMove ? "Move" : tool == tmRotate ? "Rotate" : "Scale";
  // The step closes also when finishing fails, so what the drag did can still be undone.
  try {
    FinishToolDrag(core);
  } catch (...) {
    core.CommitStep(caption);
    throw;
  }
  core.CommitStep(caption);
}

bool CanReparent(const TNode* node, const TNode* parent) { return node && !node->WouldCycle(parent); }

bool ReparentNode(TNode& node, TNode* parent) {
  if (!CanReparent(&node, parent)) return false;
  node.Parent = parent;
  return true;
}

std::string RenameNode(TNode& node, const std::string& name) {
  std::string refusal = CheckNodeName(name);
  if (refusal.empty()) node.Name = name;
  return refusal;
}
