#include "document/History.h"

#include <exception>
#include <utility>

#include "document/ChangeEvents.h"
#include "model/Model.h"

namespace {

// What differs between two states, as the windows show it (TChange bits); 0 when nothing
// does. A node's name or type alone changes nothing the views draw, and a new name is shown by
// the tree that took it, which is not filled again under the editor the user typed into.
unsigned Differences(const TModelState& a, const TModelState& b) {
  unsigned changes = 0;
  if (a.Materials != b.Materials || a.ByDefault != b.ByDefault) changes |= chMaterials;
  if (a.Geosets != b.Geosets || !SameBits(a.Radius, b.Radius) || !SameBits(a.InsertOffset, b.InsertOffset))
    changes |= chGeometry;
  if (a.Nodes.size() != b.Nodes.size()) changes |= chHierarchy | chGeometry;
  for (size_t i = 0; i < a.Nodes.size() && i < b.Nodes.size(); ++i) {
    const TModelState::TNodeState &x = a.Nodes[i], &y = b.Nodes[i];
    if (x == y) continue;
    changes |= chProperties;
    if (x.Parent != y.Parent) changes |= chHierarchy;
    if (x.Parent != y.Parent || !SameBits(x.Data.Position, y.Data.Position) ||
        !SameBits(x.Data.Rotation, y.Data.Rotation) || !SameBits(x.Data.Pivot, y.Data.Pivot) || x.Mesh != y.Mesh ||
        x.OtherSets != y.OtherSets)
      changes |= chGeometry;
  }
  return changes ? changes | chProperties : 0;
}

}  // namespace

void THistory::Reset(TModel& model) {
  Steps.clear();
  Done = 0;
  TotalBytes = 0;
  Synced.clear();
  size_t created = 0;
  Current = Saved = TakeModelState(model, Synced, created);
  Begun = false;
  Notify();
}

void THistory::Begin(TSelectionState selection) {
  Pending = std::move(selection);
  Begun = true;
}

unsigned THistory::Commit(TModel& model, const std::function<TSelectionState()>& takeSelection,
                          const std::string& caption) {
  const bool begun = std::exchange(Begun, false);
  size_t created = 0;
  std::shared_ptr<const TModelState> after = TakeModelState(model, Synced, created);
  const unsigned changes = Differences(*Current, *after);
  if (!changes) {
    Pending = {};
    return 0;
  }
  TSelectionState selection = takeSelection();
  TSelectionState before = begun ? std::move(Pending) : selection;
  while (Steps.size() > Done) {
    TotalBytes -= Steps.back().Bytes;
    Steps.pop_back();
  }
  TStep step{caption, Current, after, std::move(before), std::move(selection), 0};
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
  return changes | chHistory;
}

bool THistory::Cancel(TModel& model, TSelectionState& selection) {
  selection = std::exchange(Pending, {});
  Begun = false;
  std::shared_ptr<const TModelState> now;
  try {
    size_t created = 0;
    now = TakeModelState(model, Synced, created);
  } catch (const std::exception&) {
    // The action left nodes that point outside the model: every mesh is written anew.
    Synced.clear();
  }
  if (now && !Differences(*Current, *now)) return false;
  RestoreModelState(model, *Current, now.get(), Synced);
  return true;
}

bool THistory::Undo(TModel& model, TSelectionState& selection) {
  if (!CanUndo()) return false;
  --Done;
  Go(model, Steps[Done].Before);
  selection = Steps[Done].SelectionBefore;
  Notify();
  return true;
}

bool THistory::Redo(TModel& model, TSelectionState& selection) {
  if (!CanRedo()) return false;
  Go(model, Steps[Done].After);
  selection = Steps[Done].SelectionAfter;
  ++Done;
  Notify();
  return true;
}

void THistory::Go(TModel& model, const std::shared_ptr<const TModelState>& state) {
  RestoreModelState(model, *state, Current.get(), Synced);
  Current = state;
  Begun = false;
}

void THistory::MarkSaved() {
  Saved = Current;
  Notify();
}
