#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusTipEvent>
#include <QStandardPaths>
#include <filesystem>

#include "app/NodeTreeView.h"
#include "tests/gui/DialogTestHelpers.h"
#include "tests/gui/GuiFixture.h"

namespace {

class TFileCommandsTest : public TWindowTest {
 protected:
  void SetUp() override { StartWindow(); }
  std::string Copy(const std::string& name) { return Write(name, Bytes(Sample())); }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void Run(const char* action) { Window->Action(action)->trigger(); }
};

TEST_F(TFileCommandsTest, OpenFileByExtensionWhateverItsCase) {
  const std::string path = Copy("Mixed.3Do");
  Window->OpenFile(path);
  EXPECT_EQ(Core->Model->FileName, path);
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + path);
  EXPECT_GT(Core->Model->Nodes.Count(), 1);
  EXPECT_DOUBLE_EQ(Camera().Z, -4 * Core->Model->Radius);
}

TEST_F(TFileCommandsTest, MissingFilesAndUnknownFormatsAreReported) {
  const std::string missing = Path("gone.3do");
  Window->OpenFile(missing);
  ASSERT_EQ(Services.Informations.size(), 1u);
  EXPECT_EQ(Services.Informations[0], "File '" + missing + "' not found");

  // An unknown format replaces nothing.
  const std::string text = Write("notes.txt", "hello");
  Camera().X = 0.5;
  Window->OpenFile(text);
  ASSERT_EQ(Services.Informations.size(), 2u);
  EXPECT_EQ(Services.Informations[1], "File Format not supported");
  EXPECT_EQ(Camera().X, 0.5);

  // A cancelled open dialog does nothing at all.
  Camera().X = 0.5;
  Run("actFileOpen");
  EXPECT_EQ(Services.Informations.size(), 2u);
  EXPECT_EQ(Camera().X, 0.5);
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
  EXPECT_NE(Bytes(target).find("renamed"), std::string::npos);

  // A cancelled Save As changes nothing but the title, which follows the model's file.
  Window->SetTitle("elsewhere");
  Run("actFileSaveAs");
  EXPECT_EQ(Core->Model->FileName, target);
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - " + target);
}

TEST_F(TFileCommandsTest, SavingAModelTheGameWouldRefuseAsksFirst) {
  Services.RealSaveAnywayBox = true;
  const struct {
    const char *Command, *Answer;
    bool Written;
  } rows[] = {
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
    TearDown();
    StartWindow(path);
    for (int i = 0; i < 20; ++i) Core->Model->Materials.Add("gone" + std::to_string(i) + ".mat");
    Run("actPrimDummy");
    Services.FileNames = {target};
    const int output = Window->OutputList()->count();
    std::string asked;
    WhenModalShown([&](QWidget* w) {
      asked = w->property("text").toString().toStdString();
      for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text() == row.Answer) b->click();
      if (w->isVisible()) w->close();
    });
    Run(row.Command);
    EXPECT_EQ(asked.substr(0, asked.find('\n')), "The game will not load this model:");
    EXPECT_NE(asked.find("\nMaterial 'engine.mat' (material 3): not found"), std::string::npos);
    EXPECT_EQ(asked.substr(asked.rfind('\n')), "\nand 4 more") << "24 breaches, 20 shown";
    EXPECT_EQ(Window->OutputList()->count() - output, 24);
    const std::string written = Bytes(std::string(row.Command) == "actFileSave" ? path : target);
    EXPECT_EQ(written.find("$$dummy") != std::string::npos, row.Written);
    EXPECT_EQ(Core->History.Modified(), !row.Written);
  }
}

TEST_F(TFileCommandsTest, RevertRereadsTheFileAndNewEmptiesEverything) {
  Window->OpenFile(Copy("model.3do"));
  const int nodes = Core->Model->Nodes.Count();
  Core->Model->DeleteNode(0);
  Run("acnFileRevert");
  EXPECT_EQ(Core->Model->Nodes.Count(), nodes);

  Run("actFileNew");
  EXPECT_EQ(Core->Model->Nodes.Count(), 0);
  EXPECT_TRUE(Core->Model->FileName.empty());
  EXPECT_EQ(Window->windowTitle().toStdString(), "ZARN - Untitled.3do");
  EXPECT_DOUBLE_EQ(Camera().Z, -0.5);
}

// A file that does not read whole replaces nothing: after "Discard" at the prompt the user
// still has the changed model, its undo step, its modified mark and its title.
TEST_F(TFileCommandsTest, AFileThatDoesNotReadLeavesTheModelAsItWas) {
  std::string text = Bytes(Sample());
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
    WhenModalShown(
        [&](QWidget* w) {
          asked = w->property("text").toString().toStdString();
          for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->text() == (revert ? "&Yes" : "&Discard")) b->click();
        },
        {}, 50);
    revert ? Run("acnFileRevert") : Window->OpenFile(cut);
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

TEST_F(TFileCommandsTest, SaveAsAddsTheModelExtensionToABareName) {
  Window->OpenFile(Sample());
  const int nodes = Core->Model->Nodes.Count();
  Services.RealFileDialogs = true;
  WhenModalShown([&](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    ASSERT_TRUE(dialog);
    dialog->selectFile(Folder.filePath("foo"));
    static_cast<QDialog*>(dialog)->accept();
  });
  Run("actFileSaveAs");
  const std::string saved = Path("foo.3do");
  EXPECT_EQ(Core->Model->FileName, saved);
  Window->OpenFile(saved);
  EXPECT_TRUE(Services.Informations.empty());
  EXPECT_EQ(Core->Model->Nodes.Count(), nodes);
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
  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
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

TEST_F(TFileCommandsTest, Register3DOWritesTheDesktopAssociation) {
  const auto yes = [] {
    WhenModalShown<QMessageBox>([](QMessageBox& box) { QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton); });
  };
  yes();
  Run("actHelpRegister3DO");
  ASSERT_EQ(Services.Informations.size(), 1u);
  EXPECT_EQ(Services.Informations[0],
            "3DO files registered.\nIt is now possible to double click 3DO files to open them in ZARN");
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  QFile desktop(data + "/applications/ZARNModel.desktop");
  ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
  const QString entry = desktop.readAll();
  EXPECT_TRUE(entry.contains("Exec=" + QCoreApplication::applicationFilePath() + " %f\n")) << entry.toStdString();
  EXPECT_TRUE(entry.contains("MimeType=application/x-zarnmodel;"));
  QFile mime(data + "/mime/packages/ZARNModel.xml");
  ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString(mime.readAll()).contains("<glob pattern=\"*.3do\"/>"));

  // A second registration keeps one default-handler line and the user's other lines.
  QFile list(config + "/mimeapps.list");
  ASSERT_TRUE(list.open(QIODevice::Append));
  list.write("text/plain=editor.desktop\n[Added Associations]\nimage/png=viewer.desktop\n");
  list.close();
  yes();
  Run("actHelpRegister3DO");
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  const QString lines = list.readAll();
  EXPECT_EQ(lines.count("application/x-zarnmodel=ZARNModel.desktop"), 1) << lines.toStdString();
  EXPECT_TRUE(lines.contains("text/plain=editor.desktop"));
  EXPECT_TRUE(lines.contains("image/png=viewer.desktop"));
}

}  // namespace
