#pragma once
#include <string>

#include "model/Core.h"

// Runs one user action as one step of the history, so that Undo takes back everything it
// changed, also when it stops with an error part-way.
template <class F>
void RunStep(TCore& core, const std::string& caption, F&& action) {
  core.History.Begin(core);
  // Whatever the action gave a mesh in the shown level of detail gets one in every other set.
  try {
    action();
  } catch (...) {
    core.Model->FillGeosets();
    core.History.Commit(core, caption);
    throw;
  }
  core.Model->FillGeosets();
  core.History.Commit(core, caption);
}
