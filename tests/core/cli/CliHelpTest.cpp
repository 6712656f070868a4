// zarn-cli explaining itself: the usage, the version, and the steps, fields and actions of edit.

#include <algorithm>
#include <filesystem>

#include "editing/Actions.h"
#include "editing/Query.h"

#include "tests/core/CliRunner.h"

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
      {{"--version"}, 0, "ZARN ", ""},
      {{}, 2, "", "zarn-cli: no command given (zarn-cli --help lists the commands)\n"},
      {{"frobnicate"}, 2, "", "zarn-cli: unknown command 'frobnicate' (zarn-cli --help lists the commands)\n"},
      {{"--frobnicate"}, 2, "", "zarn-cli: unknown option '--frobnicate'"},
      {{"info", "--jsno", ZARN_SAMPLES_DIR "/fighter.3do"}, 2, "", "zarn-cli: unknown option '--jsno' of info"},
      {{"edit", ZARN_SAMPLES_DIR "/fighter.3do", "-o", "out.3do"}, 2, "", "zarn-cli: unknown option '-o' of edit"},
      {{"help", "frobnicate"}, 2, "", "zarn-cli: no help on 'frobnicate'"},
      {{"--version", "1"}, 2, "", "zarn-cli: --version takes no arguments"},
      // check: 1 for a model it cannot read (3 for one the game refuses, in CliHabits).
      {{"check", "/no/such/model.3do"}, 1, "", "zarn-cli: Cannot open file"},
      {{"check"}, 2, "", "zarn-cli: usage: zarn-cli check"},
      {{"check", "--key", ZARN_SAMPLES_DIR "/fighter-bank.key"}, 2, "", "zarn-cli: usage: zarn-cli check"},
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

// help edit lists every action once with its menu command and the values its dialog asks
// for, and every default it names is one the action takes as written.
TEST(CliHelp, EditListsEveryActionOnceAndEachDefaultItNamesIsAccepted) {
  const std::string help = RunCliApart({"help", "edit"}).Out;
  for (const char* step : {"uv:view:top, uv:view:front, uv:view:side", "uv:box, uv:box:DENSITY", "uv:flip:u"})
    EXPECT_NE(help.find(step), std::string::npos) << step;
  const std::string out = (std::filesystem::temp_directory_path() / "zarn-help-default.3do").string();
  for (const TEditAction& action : EditActions()) {
    SCOPED_TRACE(action.Name);
    const std::string line = "\n  " + std::string(action.Name) + " ";
    const size_t at = help.find(line);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(help.find(line, at + 1), std::string::npos) << "listed twice";
    const std::string menu = help.substr(at + line.size(), help.find('\n', at + 1) - at - line.size());
    EXPECT_NE(menu.find(" > "), std::string::npos) << menu;
    if (!action.Query) continue;
    std::vector<std::string> args = {"edit", ZARN_SAMPLES_DIR "/fighter.3do", out, action.Name};
    for (const TQueryField& field : action.Query->Fields) {
      if (!field.Default) continue;
      const std::string answer = std::string(field.Name) + "=" + field.Default;
      EXPECT_NE(help.find("        " + answer + "\n", at), std::string::npos) << answer;
      args.push_back(answer);
    }
    // A command may refuse the sample's selection, never its own default.
    const TCliRun run = RunCliApart(args);
    EXPECT_NE(run.Status, 2) << run.Err;
  }
  std::filesystem::remove(out);
}

}  // namespace
