#pragma once
#include <string>
#include <utility>

#include "services/UserServices.h"

// How a command ended, for the window, zarn-cli and the tests to read.
enum class TOutcome {
  Done,       // it did what it was asked
  Unchanged,  // nothing to do, or the user cancelled: nothing changed
  Refused,    // it would not run (wrong mode, bad value, missing file): nothing changed
  Failed,     // it ran and did not succeed
};

struct TCommandResult {
  TOutcome Outcome = TOutcome::Done;
  // What the user is told of a refusal or failure: one true message, never a second.
  std::string Message;
  // The message already reached the user while the command ran (a reader's error box).
  bool Told = false;

  static TCommandResult Unchanged() { return {TOutcome::Unchanged, {}, false}; }
  static TCommandResult Refused(std::string message, bool told = false) {
    return {TOutcome::Refused, std::move(message), told};
  }
  static TCommandResult Failed(std::string message, bool told = false) {
    return {TOutcome::Failed, std::move(message), told};
  }
  bool Succeeded() const { return Outcome == TOutcome::Done || Outcome == TOutcome::Unchanged; }
  // A message the front end still has to show.
  bool ToTell() const { return !Succeeded() && !Told && !Message.empty(); }
};

// A command's refusal: the user is told at once (an error box), and the result says so, so
// that no front end tells it a second time.
inline TCommandResult Refuse(TUserServices& services, std::string message) {
  services.ShowError(message);
  return TCommandResult::Refused(std::move(message), true);
}
