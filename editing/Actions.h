#pragma once
#include <string_view>
#include <vector>

class TCore;
struct TQueryForm;

// Every editing command by its action name, so that the menus and zarn-cli run the same code.
struct TEditAction {
  const char* Name;
  void (*Run)(TCore& core);
  const TQueryForm* Query = nullptr;  // the dialog the command opens, if any
};

const std::vector<TEditAction>& EditActions();
// Null when no command has that name.
const TEditAction* FindEditAction(std::string_view name);
