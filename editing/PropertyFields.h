#pragma once
#include <functional>
#include <string>
#include <vector>

#include "document/CommandResult.h"
#include "document/Core.h"

// The property panel's fields by name, for the command line's "prop:NAME=VALUE" steps: each
// applies its value through the same change the panel's control makes, to the selection of
// the edit mode its page belongs to.
struct TPropertyField {
  const char* Name;
  TEditMode Mode;
  const char* Values;  // what the value may be, for messages and help
  // Refused when the value was (the reason has been reported); conversion errors raise.
  std::function<TCommandResult(TCore&, const std::string&)> Apply;
};

const std::vector<TPropertyField>& PropertyFields();
// The field of that name (any case) on the page of `mode`, or null.
const TPropertyField* FindPropertyField(TEditMode mode, const std::string& name);
