#include "model/History.h"

#include "model/Core.h"

namespace {

bool SameNodes(const TModelState::TNodeState& a, const TModelState::TNodeState& b) {
  return a.Name == b.Name && a.Flags == b.Flags && a.NodeType == b.NodeType && a.NumChildren == b.NumChildren &&
         a.Parent == b.Parent && a.Child == b.Child && a.Sibling == b.Sibling && a.ParentIndex == b.ParentIndex &&
         a.ChildIndex == b.ChildIndex && a.SiblingIndex == b.SiblingIndex && SameBits(a.Position, b.Position) &&
         SameBits(a.Rotation, b.Rotation) && SameBits(a.Pivot, b.Pivot) && a.Mesh == b.Mesh &&
         a.OtherSets == b.OtherSets;
}

bool SameModel(const TModelState& a, const TModelState& b) {
  if (a.Geosets != b.Geosets || a.Materials != b.Materials || !SameBits(a.Radius, b.Radius) || !SameBits(a.InsertOffset, b.InsertOffset) ||
      a.Nodes.size() != b.Nodes.size())
    return false;
  for (size_t i = 0; i < a.Nodes.size(); ++i)
    if (!SameNodes(a.Nodes[i], b.Nodes[i])) return false;
  return true;
}

}  // namespace

void THistory::Reset(TCore& core) {
  Steps.clear();
  Done = 0;
  TotalBytes = 0;
  Synced.clear();
  size_t created = 0;
  Current = Saved = TakeModelState(*core.Model, Synced, created);
  Begun = false;
  Notify();
}

void THistory::Begin(const TCore& core) {
  Pending = TakeSelectionState(core);
  Begun = true;
}

bool THistory::Commit(TCore& core, const std::string& caption) {
  TSelectionState before = Begun ? std::move(Pending) : TakeSelectionState(core);
  Begun = false;
  size_t created = 0;
  std::shared_ptr<const TModelState> after = TakeModelState(*core.Model, Synced, created);
  if (Current && SameModel(*Current, *after)) return false;
  while (Steps.size() > Done) {
    TotalBytes -= Steps.back().Bytes;
    Steps.pop_back();
  }
  TStep step{caption, Current, after, std::move(before), TakeSelectionState(core), 0};
  step.Bytes = created + after->OwnBytes + step.SelectionBefore.Bytes() + step.SelectionAfter.Bytes() +
               sizeof step + caption.capacity();
  TotalBytes += step.Bytes;
  Steps.push_back(std::move(step));
  Done = Steps.size();
  Current = std::move(after);
  while (Steps.size() > 1 && (Steps.size() > kMaxSteps || TotalBytes > MaxBytes)) {
    TotalBytes -= Steps.front().Bytes;
    Steps.pop_front();
    --Done;
  }
  Notify();
  return true;
}

void THistory::Undo(TCore& core) {
  if (!CanUndo()) return;
  --Done;
  Go(core, Steps[Done].Before, Steps[Done].SelectionBefore);
  Notify();
}

void THistory::Redo(TCore& core) {
  if (!CanRedo()) return;
  Go(core, Steps[Done].After, Steps[Done].SelectionAfter);
  ++Done;
  Notify();
}

void THistory::Go(TCore& core, const std::shared_ptr<const TModelState>& state, const TSelectionState& selection) {
  RestoreModelState(*core.Model, *state, Current.get(), Synced);
  RestoreSelectionState(core, selection);
  Current = state;
  Begun = false;
  core.Services.FillTree();
  core.Services.FillMaterialList();
  core.Services.UpdateProperties();
  core.Services.Redraw(true);
}

void THistory::MarkSaved() {
  Saved = Current;
  Notify();
}
