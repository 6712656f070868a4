#pragma once
#include <string_view>
#include <vector>

#include "editing/Answers.h"

class TCore;

// Every editing command by its action name, so that the menus and zarn-cli run the same code.
struct TEditAction {
  const char* Name;
  // Asks the command's dialog, if it has one, and runs the command on the answers.
  TCommandResult (*Run)(TCore& core);
  const TQueryForm* Query = nullptr;  // the dialog the command opens, if any
  // The dialog's lines, answered, read into the command's values and bound to it (zarn-cli
  // reads them before any step runs); raises EConvertError naming a text that is no number.
  TAnsweredRun (*Answer)(const TQuery& query) = nullptr;
};

const std::vector<TEditAction>& EditActions();
// Null when no command has that name.
const TEditAction* FindEditAction(std::string_view name);
