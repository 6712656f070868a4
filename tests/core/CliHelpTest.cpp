// zarn-cli explaining itself: the usage, the version, and the steps and actions of edit as the
// tables behind the menus and the dialogs hold them.

#include <algorithm>

#include "editing/ActionTable.h"
#include "editing/Actions.h"
#include "editing/PropertyFields.h"
#include "editing/Query.h"
#include "model/VersionInfo.h"
#include "tests/core/CliRunner.h"
#include "tests/core/TestCore.h"

namespace {

struct TExpectedRun {
  std::vector<std::string> Args;
  int Status;
  // What each stream begins with; empty: the stream stays empty. Without the usage, what is
  // written is one line.
  std::string Out, Err;
};

TEST(CliHelp, HelpAndVersionGoToStandardOutputAndWrongCommandLinesToStandardErrorWithStatus2) {
  const std::string usage = "usage: zarn-cli COMMAND ARGS...\n";
  const std::vector<TExpectedRun> runs = {
      {{"--help"}, 0, usage, ""},
      {{"-h"}, 0, usage, ""},
      {{"help"}, 0, usage, ""},
      {{"help", "edit"}, 0, "usage: zarn-cli edit IN.3do OUT.3do STEP...\n", ""},
      {{"--version"}, 0, GetProductName() + " " + GetVersionString(VersionParts) + "\n", ""},
      {{}, 2, "", "zarn-cli: no command given\n" + usage},
      {{"frobnicate"}, 2, "", "zarn-cli: unknown command 'frobnicate'\n" + usage},
      {{"--frobnicate"}, 2, "", "zarn-cli: unknown option '--frobnicate'"},
      {{"info", "--jsno", ZARN_SAMPLES_DIR "/fighter.3do"}, 2, "", "zarn-cli: unknown option '--jsno' of info"},
      {{"edit", ZARN_SAMPLES_DIR "/fighter.3do", "-o", "out.3do"}, 2, "", "zarn-cli: unknown option '-o' of edit"},
      {{"help", "frobnicate"}, 2, "", "zarn-cli: no help on 'frobnicate'"},
      {{"--version", "1"}, 2, "", "zarn-cli: --version takes no arguments"},
  };
  for (const TExpectedRun& expected : runs) {
    SCOPED_TRACE(expected.Args.empty() ? "(none)" : expected.Args[0] + " " + expected.Err);
    const TCliRun run = RunCliApart(expected.Args);
    EXPECT_EQ(run.Status, expected.Status);
    // An empty expectation compares the whole stream.
    EXPECT_EQ(run.Out.substr(0, expected.Out.empty() ? std::string::npos : expected.Out.size()), expected.Out);
    EXPECT_EQ(run.Err.substr(0, expected.Err.empty() ? std::string::npos : expected.Err.size()), expected.Err);
    const std::string written = run.Out + run.Err;
    if ((expected.Out + expected.Err).find("usage:") == std::string::npos) {
      EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    }
  }
}

// Every action of the table is listed under its menu caption, and its dialog with the values
// the command really asks for: the dialog is opened (and cancelled) on a model and compared
// field by field with what the help says.
TEST(CliHelp, EditListsEveryActionWithItsMenuCaptionAndTheValuesItsDialogOpensWith) {
  const TCliRun help = RunCliApart({"help", "edit"});
  ASSERT_EQ(help.Status, 0);
  const auto plain = [](std::string caption) { return std::erase(caption, '&'), caption; };
  for (const TEditAction& action : EditActions()) {
    SCOPED_TRACE(action.Name);
    const auto at = help.Out.find("\n  " + std::string(action.Name) + " ");
    ASSERT_NE(at, std::string::npos);
    const auto next = help.Out.find("\n  act", at + 1);
    const std::string part = help.Out.substr(at, next == std::string::npos ? next : next + 1 - at);
    const auto row = std::find_if(MainActionRows().begin(), MainActionRows().end(),
                                  [&](const TActionRow& r) { return std::string(r.Name) == action.Name; });
    ASSERT_NE(row, MainActionRows().end());
    EXPECT_NE(part.find(plain(row->Menu) + " > " + plain(row->Caption) + "\n"), std::string::npos) << part;

    TDialogRecorder services;
    TCore core(services);
    core.Model->Parse3DO(TriangleModelText());
    core.Model->AddGeoset();  // a set to copy over, so that every command opens its dialog
    for (TNode* n : core.Model->Nodes) core.ToggleNode(n);
    services.CancelQueries = true;
    action.Run(core);
    if (!action.Query) {
      EXPECT_TRUE(services.Shown.empty());
      EXPECT_EQ(part.find("dialog"), std::string::npos) << part;
      continue;
    }
    ASSERT_EQ(services.Queries, std::vector<std::string>{action.Query->Caption});
    const std::vector<std::string>& shown = services.Shown.at(0);
    ASSERT_EQ(shown.size(), action.Query->Fields.size());
    std::string listed = "dialog \"" + std::string(action.Query->Caption) + "\":\n";
    for (size_t i = 0; i < shown.size(); ++i) {
      const TQueryField& field = action.Query->Fields[i];
      EXPECT_EQ(shown[i].substr(0, shown[i].find('=')), field.Name);
      listed += "        " + (field.Default ? shown[i] : std::string(field.Name) + "=<" + field.WorkedOut + ">") + "\n";
    }
    EXPECT_NE(part.find(listed), std::string::npos) << part << listed;
  }
  // One line per property field: its mode, its name, the values it takes.
  std::string squeezed;  // runs of blanks as one
  for (char c : help.Out)
    if (c != ' ' || squeezed.empty() || squeezed.back() != ' ') squeezed += c;
  for (const TPropertyField& field : PropertyFields()) {
    const std::string mode = field.Mode == emNode ? "node" : field.Mode == emSurface ? "surface" : "vertex";
    EXPECT_NE(squeezed.find("\n " + mode + " " + field.Name + " " + field.Values + "\n"), std::string::npos)
        << field.Name;
  }
}

}  // namespace
