#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "document/ModelState.h"

class TModel;

// Undo and redo. Each user action runs between Begin and Commit; what it changed becomes one
// step holding the model before and after (meshes it left alone are shared with the
// neighbouring states, not copied) and the selections of both moments. Selecting alone
// changes nothing a file holds and makes no step. The oldest steps go first beyond
// kMaxSteps or MaxBytes.
class THistory {
 public:
  static constexpr size_t kMaxSteps = 100;
  static constexpr size_t kMaxBytes = size_t{512} << 20;
  size_t MaxBytes = kMaxBytes;  // the tests lower it

  // A new model: no steps, and what the model holds counts as saved.
  void Reset(TModel& model);
  // Before a user action: remembers the selection its step gives back on undo.
  void Begin(TSelectionState selection);
  // After the action, with the selection it left: its changes, if any, become a step named
  // `caption`. The selection is asked for only when there is a step to keep it in, as
  // selecting a million faces makes no step and should not pay for a copy of them. Returns
  // what the step changed as TChange bits, chHistory among them, or 0 when it made none; the
  // caller announces them, together with whatever else the action changed, in one go.
  unsigned Commit(TModel& model, const std::function<TSelectionState()>& selection, const std::string& caption);
  // After an action that stopped with an error: brings the model back to what it held at
  // Begin, whatever the action left, and gives the selection of that moment. No step is made;
  // false when the model was as it was.
  bool Cancel(TModel& model, TSelectionState& selection);

  bool CanUndo() const { return Done > 0; }
  bool CanRedo() const { return Done < Steps.size(); }
  // The captions of the steps Undo and Redo would take; empty when there is none.
  std::string UndoCaption() const { return CanUndo() ? Steps[Done - 1].Caption : std::string(); }
  std::string RedoCaption() const { return CanRedo() ? Steps[Done].Caption : std::string(); }
  // Bring the model to the state before or after the step and give the selection of that
  // moment, for the document to restore; false when there is no step to take.
  bool Undo(TModel& model, TSelectionState& selection);
  bool Redo(TModel& model, TSelectionState& selection);

  // The model differs from what was last saved (or opened); undoing back clears it again.
  bool Modified() const { return Current != Saved; }
  void MarkSaved();
  // Called after every change of what the calls above answer but Commit, so that the menus
  // and the title follow steps taken anywhere.
  std::function<void()> Changed;

  size_t Count() const { return Steps.size(); }
  size_t Bytes() const { return TotalBytes; }
  // What the newest step holds of its own, for reports.
  size_t LastStepBytes() const { return Steps.empty() ? 0 : Steps.back().Bytes; }

 private:
  struct TStep {
    std::string Caption;
    std::shared_ptr<const TModelState> Before, After;
    TSelectionState SelectionBefore, SelectionAfter;
    size_t Bytes;
  };
  void Notify() const {
    if (Changed) Changed();
  }
  void Go(TModel& model, const std::shared_ptr<const TModelState>& state);

  std::deque<TStep> Steps;
  size_t Done = 0;  // steps [0, Done) can be undone, the rest redone
  size_t TotalBytes = 0;
  std::shared_ptr<const TModelState> Current, Saved;
  TMeshStateMap Synced;
  TSelectionState Pending;
  bool Begun = false;
};
