#pragma once
#include <string>
#include <vector>

class TStepRunner;
struct TPlannedStep;

// One form of a zarn-cli edit step, known by the word before its first colon ("mode" of
// "mode:node"). The steps are read and run from this table and the help is printed from it.
struct TEditStep {
  const char* Verb;
  const char* Usage;  // as typed
  const char* Does;
  // Reads the text after the verb and its colon (the step's Rest) into the step's values
  // before anything runs, throwing the command line's error when it is written wrongly; none
  // for a step whose text names what only the model can tell.
  void (*Read)(TPlannedStep& step);
  // Runs the step as read; false once the step was refused and the reason reported.
  bool (TStepRunner::*Run)(const TPlannedStep& step);
  // Undo and redo walk the history instead of adding a step to it.
  bool MakesStep = true;
};

// Rows of one verb follow each other and are read and run the same way.
const std::vector<TEditStep>& EditSteps();
