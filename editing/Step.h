#pragma once
#include <string>

#include "model/Core.h"

// Runs one user action as one step of the history, so that Undo takes back everything it
// changed, also when it stops with an error part-way.
template <class F>
void RunStep(TCore& core, const std::string& caption, F&& action) {
  core.History.Begin(core);
  try {
    action();
  } catch (...) {
    core.History.Commit(core, caption);
    throw;
  }
  core.History.Commit(core, caption);
}
