#include <QStatusTipEvent>

#include "tests/gui/GuiFixture.h"

namespace {

class TFileCommandsTest : public TWindowTest {
 protected:
  void SetUp() override { StartWindow(); }
  std::string Copy(const std::string& name) { return Write(name, Read(Sample())); }
};

TEST_F(TFileCommandsTest, OpenFindsTheFormatByExtensionWhateverItsCaseRevertRereadsItAndNewEmpties) {
  const std::string path = Copy("Mixed.3Do");
  Window->OpenFile(path);
  EXPECT_EQ(Core->Model->FileName, path);
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + path);
  EXPECT_GT(Core->Model->Nodes.Count(), 1);
  EXPECT_DOUBLE_EQ(Camera().Z, -4 * Core->Model->Radius);

  // Missing files and unknown formats are reported; neither, nor a cancelled open dialog,
  // replaces anything.
  const std::string missing = Path("gone.3do"), text = Write("notes.txt", "hello");
  Camera().X = 0.5;
  Window->OpenFile(missing);
  Window->OpenFile(text);
  Run("actFileOpen");
  EXPECT_EQ(Services.Informations,
            (std::vector<std::string>{"File '" + missing + "' not found", "File Format not supported"}));
  EXPECT_EQ(Camera().X, 0.5);

  // Revert reads the file again; New empties everything.
  const int nodes = Core->Model->Nodes.Count();
  Core->Model->DeleteNode(0);
  Run("actFileRevert");
  EXPECT_EQ(Core->Model->Nodes.Count(), nodes);
  Run("actFileNew");
  EXPECT_EQ(Core->Model->Nodes.Count(), 0);
  EXPECT_TRUE(Core->Model->FileName.empty());
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - Untitled.3do");
  EXPECT_DOUBLE_EQ(Camera().Z, -0.5);
}

TEST_F(TFileCommandsTest, SaveGoesThroughSaveAsUntilTheModelHasAFile) {
  Window->OpenFile(Copy("model.3do"));
  Core->Model->FileName.clear();  // as after New or a container entry
  const std::string target = Path("saved.3do");
  Services.FileNames = {target};
  Run("actFileSave");
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_EQ(Core->Model->FileName, target);
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + target);

  // With a file, Save writes it in place without asking.
  Core->Model->Nodes[0]->Name = "renamed";
  Run("actFileSave");
  EXPECT_TRUE(Services.FileNames.empty());
  EXPECT_NE(Read(target).find("renamed"), std::string::npos);

  // A cancelled Save As changes nothing but the title, which follows the model's file.
  Window->SetTitle("elsewhere");
  Run("actFileSaveAs");
  EXPECT_EQ(Core->Model->FileName, target);
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + target);
}

TEST_F(TFileCommandsTest, SavingAModelTheGameWouldRefuseAsksFirst) {
  Services.RealSaveAnywayBox = true;
  const struct { const char *Command, *Answer; bool Written; } rows[] = {
      {"actFileSave", "&Cancel", false},
      {"actFileSave", "Save &anyway", true},
      {"actFileSaveAs", "&Cancel", false},
      {"actFileSaveAs", "Save &anyway", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.Command) + " " + row.Answer);
    // A copy away from the sample's materials, with 20 materials more that are nowhere.
    const std::string path = Copy("model.3do"), target = Path("target.3do");
    std::filesystem::remove(target);
    StartWindow(path);
    for (int i = 0; i < 20; ++i) Core->Model->Materials.Add("gone" + std::to_string(i) + ".mat");
    Run("actPrimDummy");
    Services.FileNames = {target};
    const int output = Window->OutputList()->count();
    std::string asked;
    AnswerBox(row.Answer, asked);
    Run(row.Command);
    EXPECT_EQ(asked.substr(0, asked.find('\n')), "The game will not load this model:");
    EXPECT_NE(asked.find("\nMaterial 'engine.mat' (material 3): not found"), std::string::npos);
    EXPECT_EQ(asked.substr(asked.rfind('\n')), "\nand 4 more") << "24 breaches, 20 shown";
    EXPECT_EQ(Window->OutputList()->count() - output, 24);
    const std::string written = Read(std::string(row.Command) == "actFileSave" ? path : target);
    EXPECT_EQ(written.find("$$dummy") != std::string::npos, row.Written);
    EXPECT_EQ(Core->History.Modified(), !row.Written);
  }
}

// A file that does not read whole replaces nothing: after "Discard" at the prompt the user
// still has the changed model, its undo step, its modified mark and its title.
TEST_F(TFileCommandsTest, AFileThatDoesNotReadLeavesTheModelAsItWas) {
  std::string text = Read(Sample());
  text.resize(text.size() / 2);  // a download cut short
  const std::string cut = Write("cut.3do", text);
  for (const bool revert : {false, true}) {
    SCOPED_TRACE(revert ? "revert" : "open");
    const std::string path = Copy("model.3do");
    Window->OpenFile(path);
    Run("actPrimDummy");
    const int nodes = Core->Model->Nodes.Count();
    const QString title = Window->windowTitle();
    ASSERT_TRUE(title.endsWith("*"));
    if (revert) Write("model.3do", text);  // cut short on disk after it was opened
    std::string asked;
    AnswerBox(revert ? "&Yes" : "&Discard", asked, 50);
    revert ? Run("actFileRevert") : Window->OpenFile(cut);
    EXPECT_EQ(asked, revert ? "Discard changes?" : "Save changes to " + path + "?");
    ASSERT_EQ(Services.Errors.size(), 1u) << "one message for the failed read";
    EXPECT_NE(Services.Errors[0].find(".3do, line "), std::string::npos) << Services.Errors[0];
    EXPECT_EQ(Core->Model->Nodes.Count(), nodes);
    EXPECT_EQ(Core->Model->FileName, path);
    EXPECT_TRUE(Core->History.Modified());
    EXPECT_EQ(Core->History.UndoCaption(), "Dummy Node");
    EXPECT_EQ(Window->windowTitle(), title);
    Run("actEditUndo");
    EXPECT_EQ(Core->Model->Nodes.Count(), nodes - 1);
    Services.Errors.clear();
    Run("actFileNew");  // the model is not modified after the undo: no question
  }
}

TEST_F(TFileCommandsTest, RunningOutOfMemoryEndsTheCommandWithAnErrorBox) {
  Window->OpenFile(Copy("model.3do"));
  Services.OutOfMemory = true;  // from here on, selecting anything runs out of memory
  Run("actSelAll");
  Drag({1, 1}, {Surface()->width() - 2, Surface()->height() - 2});
  auto* tree = Window->findChild<TNodeTreeView*>();
  ASSERT_NE(tree, nullptr);
  const QRect row = tree->visualItemRect(tree->topLevelItem(0));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
  EXPECT_EQ(Services.Errors, (std::vector<std::string>{
                                 "Out of memory while running \"All\"; the command was stopped.",
                                 "Out of memory while using the mouse tool; the command was stopped.",
                                 "Out of memory while selecting in the node tree; the command was stopped.",
                             }));
}

TEST_F(TFileCommandsTest, SharedShortcutGoesToTheFirstEntryInMenuOrder) {
  int cuts = 0, extrusions = 0;
  Window->SetCommand("actEditExtrudeFace", [&] { ++extrusions; });
  Window->SetCommand("actEditCut", [&] { ++cuts; });
  Activate();
  QTest::keyClick(Window.get(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(Window.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(cuts, 1);
  EXPECT_EQ(extrusions, 1);
  // A pair made by giving Extrude another command's key without the options' question.
  Window->Action("actEditExtrudeFace")->setShortcut(QKeySequence("Ctrl+N"));
  QTest::keyClick(Window.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(extrusions, 1);
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - Untitled.3do");
}

TEST_F(TFileCommandsTest, HintsGoToStatusPanelOne) {
  QStatusTipEvent tip("Save model");
  QApplication::sendEvent(Window.get(), &tip);
  EXPECT_EQ(Window->StatusPanel(1)->text().toStdString(), "Save model");
  QStatusTipEvent twoPart("Short|The long part");
  QApplication::sendEvent(Window.get(), &twoPart);
  EXPECT_EQ(Window->StatusPanel(1)->text().toStdString(), "The long part");
  const QLabel* fps = Window->StatusPanel(2);
  EXPECT_GT(fps->width(), fps->fontMetrics().horizontalAdvance("Fps 9999.99")) << "the frame rate is clipped";
}

}  // namespace
