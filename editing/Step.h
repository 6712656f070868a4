#pragma once
#include <exception>
#include <new>
#include <string>

#include "document/Core.h"
#include "model/Hierarchy.h"

// Runs one user action as one step of the history, so that Undo takes back everything it
// changed, and tells the windows once, at its end, what it changed. Returns how the action ended: refused with the message the user was shown, done
// when it changed the model, unchanged otherwise. An action that stops with an error is taken
// back whole, model and selection, and makes no step: the result is Failed with the error's
// message, for the front end to tell. Running out of memory is taken back too and goes on to
// the caller, which says so in its own words.
template <class F>
TCommandResult RunStep(TCore& core, const std::string& caption, F&& action) {
  core.TakeOutcome();
  core.BeginStep(true);
  try {
    action();
    // Whatever the action gave a mesh in the shown level of detail gets one in every other
    // set, and the hierarchy links follow the parents it left.
    core.Model->FillGeosets();
    DeriveLinks(*core.Model);
  } catch (const std::bad_alloc&) {
    core.TakeOutcome();
    core.CancelStep();
    throw;
  } catch (const std::exception& e) {
    core.TakeOutcome();
    core.CancelStep();
    return TCommandResult::Failed(e.what());
  }
  const bool changed = core.CommitStep(caption);
  TCommandResult result = core.TakeOutcome();
  if (result.Outcome == TOutcome::Done && !changed) result = TCommandResult::Unchanged();
  return result;
}
