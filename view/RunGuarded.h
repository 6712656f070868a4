#pragma once
#include <exception>
#include <string_view>

#include "document/CommandResult.h"
#include "services/UserServices.h"

// Shows the error that ended a command. Running out of memory is said in so many words, with
// what was being done (`doing`, such as "running \"Cube\""); the command's own allocations
// have been given back by then. Never raises: a report that cannot be made goes to stderr.
void ReportCommandError(TUserServices& services, std::string_view doing, const std::exception& error) noexcept;

// Shows the message of a command that ended without raising and was not told yet, such as a
// step taken back after an error (see RunStep).
inline void ShowFailure(TUserServices& services, const TCommandResult& result) {
  if (result.ToTell()) services.ShowError(result.Message);
}

// Runs a command the way every command runs: an error it raises ends it where it arose and
// is shown in the error box, and the event loop carries on.
template <class F>
void RunGuarded(TUserServices& services, std::string_view doing, F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ReportCommandError(services, doing, e);
  }
}
