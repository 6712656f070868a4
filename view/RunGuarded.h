#pragma once
#include <exception>

#include "model/UserServices.h"

// Runs a command the way every command runs: an error it raises ends it where it arose and
// is shown in the error box, and the event loop carries on.
template <class F>
void RunGuarded(TUserServices& services, F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    services.ShowError(e.what());
  }
}
