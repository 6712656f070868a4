#pragma once
#include <exception>
#include <new>
#include <string>

#include "document/CommandResult.h"
#include "document/Core.h"
#include "model/Hierarchy.h"

// Runs one user action as one step of the history, so that Undo takes back everything it
// changed, and tells the windows once, at its end, what it changed. The action returns how it
// ended, which is the step's result, but Done becomes Unchanged when the model did not
// change. An action that stops with an error is taken back whole, model and selection, and
// makes no step: the result is Failed with the error's message, for the front end to tell.
// Running out of memory is taken back too and goes on to the caller, which says so in its own
// words.
template <class F>
TCommandResult RunStep(TCore& core, const std::string& caption, F&& action) {
  core.BeginStep(true);
  TCommandResult result;
  try {
    result = action();
    // Whatever the action gave a mesh in the shown level of detail gets one in every other
    // set, and the hierarchy links follow the parents it left.
    core.Model->FillGeosets();
    DeriveLinks(*core.Model);
  } catch (const std::bad_alloc&) {
    core.CancelStep();
    throw;
  } catch (const std::exception& e) {
    core.CancelStep();
    return TCommandResult::Failed(e.what());
  }
  const bool changed = core.CommitStep(caption);
  if (result.Outcome == TOutcome::Done && !changed) result = TCommandResult::Unchanged();
  return result;
}
