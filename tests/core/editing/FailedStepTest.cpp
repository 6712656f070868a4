// A step that stops with an error takes back everything it did: the model saves as it did
// before, the undo list keeps its steps, and the step ends failed with the error's message.

#include <set>

#include "editing/Actions.h"
#include "editing/Step.h"
#include "model/Errors.h"
#include "tests/core/TestCore.h"

namespace {

// Services that fail, as a full disk would, whenever an action tells the user something part
// of the way through: output lines, the status, progress, the clipboard.
class TFailingServices : public TRecordingServices {
 public:
  void AddOutput(const std::string&) override { Fail(); }
  void ShowStatus(const std::string&) override { Fail(); }
  void StepProgress(uint64_t) override { Fail(); }
  void SetClipboardText(const std::string&) override { Fail(); }
  bool Failing = false;

 private:
  void Fail() const {
    if (Failing) throw EInOutError("the disk is full");
  }
};

struct TFailingCore {
  TFailingCore() { InstallMaterialLoader(Core); }
  TFailingServices Services;
  TCore Core{Services};
};

}  // namespace

TEST(FailedStep, EveryActionThatStopsWithAnErrorLeavesTheModelAndTheUndoListAsTheyWere) {
  std::set<std::string> failedPartWay;
  for (const bool services : {false, true})
    for (const TEditMode mode : {emNode, emSurface, emVertex})
      for (const TEditAction& action : EditActions()) {
        SCOPED_TRACE(std::string(action.Name) + (services ? " with failing services" : " failing at its end") +
                     " in mode " + std::to_string(mode));
        TFailingCore t;
        ASSERT_TRUE(Load3DOFile(*t.Core.Model, ZARN_SAMPLES_DIR "/fighter.3do"));
        t.Core.ResetHistory();
        const std::string opened = SavedText(*t.Core.Model);
        RunStep(t.Core, "Dummy Node", [&] { return FindEditAction("actPrimDummy")->Run(t.Core); });
        t.Core.EditMode = mode;
        FindEditAction("actSelAll")->Run(t.Core);
        t.Services.Answers = {{"X", "0.5"}, {"Y", "0.25"}, {"Z", "2"}, {"Faces", "10"}};
        t.Services.FileNames = {ZARN_SAMPLES_DIR "/fighter.3do"};
        t.Services.Clipboard = SavedText(*t.Core.Model, true);
        const std::string before = SavedText(*t.Core.Model);
        const TSelectionState selected = TakeSelectionState(t.Core);
        t.Services.Failing = services;
        const TCommandResult result = RunStep(t.Core, action.Name, [&] {
          const TCommandResult ran = action.Run(t.Core);
          if (!services) throw EInOutError("the disk is full");
          return ran;
        });
        t.Services.Failing = false;
        if (result.Outcome != TOutcome::Failed) {
          EXPECT_TRUE(services);
          continue;
        }
        if (services) failedPartWay.insert(action.Name);
        // A reader names where it stopped, and has told it in its own box.
        EXPECT_NE(result.Message.find("the disk is full"), std::string::npos) << result.Message;
        EXPECT_EQ(result.Told, result.Message != "the disk is full");
        EXPECT_EQ(SavedText(*t.Core.Model), before);
        EXPECT_EQ(TakeSelectionState(t.Core), selected);
        EXPECT_EQ(t.Core.History.Count(), 1u);
        EXPECT_EQ(t.Core.History.UndoCaption(), "Dummy Node");
        EXPECT_FALSE(t.Core.History.CanRedo());
        // The history still knows the model it holds: undo gives back the file as opened.
        t.Core.Undo();
        EXPECT_EQ(SavedText(*t.Core.Model), opened);
      }
  EXPECT_EQ(failedPartWay, (std::set<std::string>{"actEditCopy", "actEditCut", "actEditPaste", "actFileInsert",
                                                  "actFitGameLimits", "actViewLodAdd"}));
}
