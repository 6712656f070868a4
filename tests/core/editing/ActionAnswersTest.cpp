// The window asks an action's dialog and runs it; zarn-cli reads the same form's values through
// the action table. Both must run the same command on the same values.

#include "editing/Actions.h"
#include "editing/Step.h"
#include "formats/ThreeDo.h"
#include "tests/core/TestCore.h"

TEST(ActionAnswers, TheTablesAnswersRunWhatTheDialogRunsWithItsDefaults) {
  for (const TEditAction& action : EditActions()) {
    if (!action.Query) continue;
    SCOPED_TRACE(action.Name);
    TTestCore asked, answered;
    for (TTestCore* t : {&asked, &answered}) {
      ASSERT_TRUE(Load3DOFile(t->Model(), ZARN_SAMPLES_DIR "/fighter.3do"));
      t->Core.ResetHistory();
      FindEditAction("actSelAll")->Run(t->Core);
    }
    const TCommandResult byDialog = RunStep(asked.Core, action.Name, [&] { return action.Run(asked.Core); });
    // The command line's lines: the defaults, and none for a value worked out as it runs.
    std::vector<std::string> lines;
    for (const TQueryField& field : action.Query->Fields)
      if (field.Default) lines.push_back(std::string(field.Name) + "=" + field.Default);
    const TAnsweredRun run = action.Answer(TQuery(*action.Query, lines));
    const TCommandResult byTable = RunStep(answered.Core, action.Name, [&] { return run(answered.Core); });
    EXPECT_EQ(byDialog.Outcome, byTable.Outcome);
    EXPECT_EQ(byDialog.Message, byTable.Message);
    EXPECT_EQ(SavedText(asked.Model()), SavedText(answered.Model()));
  }
}
