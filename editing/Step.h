#pragma once
#include <string>

#include "document/Core.h"
#include "model/Hierarchy.h"

// Runs one user action as one step of the history, so that Undo takes back everything it
// changed, also when it stops with an error part-way (the error goes on to the caller).
// Returns how the action ended: refused with the message the user was shown, done when it
// changed the model, unchanged otherwise.
template <class F>
TCommandResult RunStep(TCore& core, const std::string& caption, F&& action) {
  core.TakeOutcome();
  core.BeginStep();
  // Whatever the action gave a mesh in the shown level of detail gets one in every other set,
  // and the hierarchy links follow the parents it left.
  const auto settle = [&core] {
    core.Model->FillGeosets();
    DeriveLinks(*core.Model);
  };
  try {
    action();
  } catch (...) {
    settle();
    core.CommitStep(caption);
    core.TakeOutcome();
    throw;
  }
  settle();
  const bool changed = core.CommitStep(caption);
  TCommandResult result = core.TakeOutcome();
  if (result.Outcome == TOutcome::Done && !changed) result = TCommandResult::Unchanged();
  return result;
}
