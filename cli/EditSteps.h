#pragma once
#include <string>
#include <vector>

class TStepRunner;

// One form of a zarn-cli edit step, known by the word before its first colon ("mode" of
// "mode:node"). The steps run from this table and the help is printed from it.
struct TEditStep {
  const char* Verb;
  const char* Usage;  // as typed
  const char* Does;
  // Runs the step with the text after the verb and its colon; false once the step was
  // refused and the reason reported.
  bool (TStepRunner::*Run)(const std::string& rest);
  // Undo and redo walk the history instead of adding a step to it.
  bool MakesStep = true;
};

// Rows of one verb follow each other and run the same way.
const std::vector<TEditStep>& EditSteps();
