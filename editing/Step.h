#pragma once
#include <string>

#include "model/Core.h"
#include "model/Hierarchy.h"

// Runs one user action as one step of the history, so that Undo takes back everything it
// changed, also when it stops with an error part-way.
template <class F>
void RunStep(TCore& core, const std::string& caption, F&& action) {
  core.History.Begin(core);
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
    core.History.Commit(core, caption);
    throw;
  }
  settle();
  core.History.Commit(core, caption);
}
