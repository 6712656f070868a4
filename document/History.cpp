#include "document/History.h"

#include <utility>

#include "model/Model.h"

namespace {

bool SameModel(const TModelState& a, const TModelState& b) {
  return a.Geosets == b.Geosets && a.Materials == b.Materials && a.ByDefault == b.ByDefault &&
         SameBits(a.Radius, b.Radius) && SameBits(a.InsertOffset, b.InsertOffset) && a.Nodes == b.Nodes;
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

bool THistory::Commit(TModel& model, const std::function<TSelectionState()>& takeSelection,
                      const std::string& caption) {
  const bool begun = std::exchange(Begun, false);
  size_t created = 0;
  std::shared_ptr<const TModelState> after = TakeModelState(model, Synced, created);
  if (Current && SameModel(*Current, *after)) {
    Pending = {};
    return false;
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
  Notify();
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
