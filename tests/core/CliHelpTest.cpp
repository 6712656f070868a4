// zarn-cli explaining itself: the usage, the version, and the steps and actions of edit as the
// tables behind the menus and the dialogs hold them.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

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
  std::string Out, Err;  // what each stream begins with; empty: the stream stays empty
  bool OneLine;          // the stream written holds that one line only
};

TEST(CliHelp, HelpAndVersionGoToStandardOutputAndWrongCommandLinesToStandardErrorWithStatus2) {
  const std::string usage = "usage: zarn-cli COMMAND ARGS...\n";
  const std::vector<TExpectedRun> runs = {
      {{"--help"}, 0, usage, "", false},
      {{"-h"}, 0, usage, "", false},
      {{"help"}, 0, usage, "", false},
      {{"help", "edit"}, 0, "usage: zarn-cli edit IN.3do OUT.3do STEP...\n", "", false},
      {{"--version"}, 0, GetProductName() + " " + GetVersionString(VersionParts) + "\n", "", true},
      {{}, 2, "", "zarn-cli: no command given\n" + usage, false},
      {{"frobnicate"}, 2, "", "zarn-cli: unknown command 'frobnicate'\n" + usage, false},
      {{"--frobnicate"}, 2, "", "zarn-cli: unknown option '--frobnicate'", true},
      {{"info", "--jsno", ZARN_SAMPLES_DIR "/fighter.3do"}, 2, "", "zarn-cli: unknown option '--jsno' of info", true},
      {{"edit", ZARN_SAMPLES_DIR "/fighter.3do", "-o", "out.3do"}, 2, "", "zarn-cli: unknown option '-o' of edit", true},
      {{"help", "frobnicate"}, 2, "", "zarn-cli: no help on 'frobnicate'", true},
      {{"--version", "1"}, 2, "", "zarn-cli: --version takes no arguments", true},
  };
  for (const TExpectedRun& expected : runs) {
    SCOPED_TRACE(expected.Args.empty() ? "(none)" : expected.Args[0] + " " + expected.Err);
    const TCliRun run = RunCliApart(expected.Args);
    EXPECT_EQ(run.Status, expected.Status);
    // An empty expectation compares the whole stream.
    EXPECT_EQ(run.Out.substr(0, expected.Out.empty() ? std::string::npos : expected.Out.size()), expected.Out);
    EXPECT_EQ(run.Err.substr(0, expected.Err.empty() ? std::string::npos : expected.Err.size()), expected.Err);
    const std::string& written = expected.Out.empty() ? run.Err : run.Out;
    if (expected.OneLine) {
      EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    }
  }
}

std::string WithoutAccelerator(std::string caption) {
  std::erase(caption, '&');
  return caption;
}

// Every action of the table is listed under its menu caption, and its dialog with the values
// the command really asks for: the dialog is opened (and cancelled) on a model and compared
// field by field with what the help says.
TEST(CliHelp, EditListsEveryActionWithItsMenuCaptionAndTheValuesItsDialogOpensWith) {
  const TCliRun help = RunCliApart({"help", "edit"});
  ASSERT_EQ(help.Status, 0);
  for (const TEditAction& action : EditActions()) {
    SCOPED_TRACE(action.Name);
    const auto at = help.Out.find("\n  " + std::string(action.Name) + " ");
    ASSERT_NE(at, std::string::npos);
    const auto next = help.Out.find("\n  act", at + 1);
    const std::string part = help.Out.substr(at, next == std::string::npos ? next : next + 1 - at);
    const auto row = std::find_if(MainActionRows().begin(), MainActionRows().end(),
                                  [&](const TActionRow& r) { return std::string(r.Name) == action.Name; });
    ASSERT_NE(row, MainActionRows().end());
    EXPECT_NE(part.find(WithoutAccelerator(row->Menu) + " > " + WithoutAccelerator(row->Caption) + "\n"),
              std::string::npos)
        << part;

    TDialogRecorder services;
    TCore core(services);
    core.Model->Parse3DO(TriangleModelText());
    for (TNode* n : core.Model->Nodes) core.ToggleNode(n);
    services.CancelQueries = true;
    action.Run(core);
    if (!action.Query) {
      EXPECT_TRUE(services.Shown.empty());
      EXPECT_EQ(part.find("dialog"), std::string::npos) << part;
      continue;
    }
    ASSERT_EQ(services.Queries, std::vector<std::string>{action.Query->Caption});
    EXPECT_NE(part.find("dialog \"" + std::string(action.Query->Caption) + "\""), std::string::npos) << part;
    ASSERT_EQ(services.Shown.size(), 1u);
    const std::vector<std::string>& shown = services.Shown[0];
    ASSERT_EQ(shown.size(), action.Query->Fields.size());
    for (size_t i = 0; i < shown.size(); ++i) {
      const TQueryField& field = action.Query->Fields[i];
      EXPECT_EQ(shown[i].substr(0, shown[i].find('=')), field.Name);
      if (field.Default) {
        EXPECT_EQ(shown[i], std::string(field.Name) + "=" + field.Default);
      }
      const std::string listed = field.Default ? shown[i] : std::string(field.Name) + "=<" + field.WorkedOut + ">";
      EXPECT_NE(part.find(" " + listed + "\n"), std::string::npos) << part;
    }
  }
  // One line per property field: its mode, its name, the values it takes.
  std::vector<std::string> lines;
  std::istringstream text(help.Out);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  for (const TPropertyField& field : PropertyFields()) {
    const std::string mode = field.Mode == emNode ? "node" : field.Mode == emSurface ? "surface" : "vertex";
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.starts_with("  " + mode + " ") && line.find(" " + std::string(field.Name) + " ") != std::string::npos &&
             line.ends_with(field.Values);
    })) << field.Name;
  }
}

}  // namespace
