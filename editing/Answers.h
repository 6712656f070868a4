#pragma once
#include <functional>

#include "document/CommandResult.h"
#include "editing/Query.h"

class TCore;

// A command with its answers read, ready to run: what the action table makes of a dialog's
// lines, so that the window and zarn-cli read the values once and the command gets numbers.
using TAnsweredRun = std::function<TCommandResult(TCore&)>;

// What a command with worked-out defaults does before its dialog opens: fills them in, or
// refuses when there is nothing to ask about.
using TPrepareQuery = TCommandResult (*)(TCore& core, TQuery& query);

// Asks the form's dialog, reads its answers and runs the command on them; a dialog cancelled
// changes nothing. A value that is not a number raises EConvertError naming the text.
template <class A>
TCommandResult AskAndRun(TCore& core, const TQueryForm& form, A (*parse)(const TQuery&),
                         TCommandResult (*run)(TCore&, const A&), TPrepareQuery prepare = nullptr) {
  TQuery query(form);
  if (prepare)
    if (TCommandResult prepared = prepare(core, query); prepared.Outcome != TOutcome::Done) return prepared;
  if (!query.Ask(core)) return TCommandResult::Unchanged();
  return run(core, parse(query));
}

// The table's binding of a form's answers to its command.
template <auto Parse, auto Run>
TAnsweredRun Answered(const TQuery& query) {
  return [answers = Parse(query)](TCore& core) { return Run(core, answers); };
}
