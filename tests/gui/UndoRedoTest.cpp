// Undo and Redo in the window: each kind of user action taken back and made again through the
// real keys, the menu entries and the title following the history, and the question before
// unsaved changes are lost.
#include "tests/gui/GuiFixture.h"

namespace {

class UndoRedo : public TWindowTest {
 protected:
  // A fresh window, active so that its keys work, on a fresh copy of the sample.
  void Restart() {
    std::filesystem::copy_file(Sample(), File, std::filesystem::copy_options::overwrite_existing);
    StartWindow(File);
    Activate();
  }
  std::string Text() { return SavedText(*Core->Model); }
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    // Keys reach the window's shortcuts only while it is active again after a dialog closed,
    // which on a busy machine takes a while.
    Activate();
    Surface()->setFocus();
    QTest::keyClick(Surface(), key, mods);
  }
  // The entries Undo and Redo, "off" when disabled, and the title's mark: "Undo Cube|off Redo|*".
  std::string Look() {
    std::string look;
    for (const char* name : {"actEditUndo", "actEditRedo"}) {
      const QAction* entry = Window->Action(name);
      look += (entry->isEnabled() ? "" : "off ") + entry->text().remove('&').toStdString() + "|";
    }
    return look + (Window->windowTitle().endsWith('*') ? "*" : "");
  }

  const std::string File = Path("model.3do");
};

TEST_F(UndoRedo, EachUserActionIsOneStepThatTheKeysTakeBackAndMakeAgain) {
  Restart();
  const std::string obj = Write("tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
  const struct { std::string Step; std::function<void()> Act; } actions[] = {
      {"Cube", [&] { Services.Answers = {{"Size", "0.05"}}, Run("actPrimCube"); }},
      {"Extrude Surface", [&] { Frame().actEMFace->trigger(), Press(Qt::Key_A), Run("actEditExtrudeFace"); }},
      {"Translate", [&] { Services.Answers = {{"X", "0.5"}}, Run("actEditTranslate"); }},
      {"Paste", [&] { Frame().actEMNode->trigger(), Press(Qt::Key_A), Run("actEditCopy"), Run("actEditPaste"); }},
      {"Insert", [&] { Services.FileNames = {Sample()}, Run("actFileInsert"); }},
      {"Import", [&] { Services.FileNames = {obj}, AcceptObjImport(), Run("actFileImport"); }},
      {"Rotation", [&] {
         auto* edit = Window->findChild<QLineEdit*>("edtNodeRot");
         Press(Qt::Key_A), QTest::mouseClick(edit, Qt::LeftButton), QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
         QTest::keyClicks(edit, "10 20 30\r");
       }},
      {"Delete Material", [&] {
         WhenModalShown([](QWidget* w) {
           if (auto* d = qobject_cast<TMaterialsDialog*>(w))
             for (QListWidgetItem* row : d->lbxProjMat->findItems("engine.mat", {}))
               d->lbxProjMat->setCurrentItem(row), QTest::mouseClick(d->btnDelete, Qt::LeftButton);
           w->close();
         });
         Run("actViewMaterials");
       }},
  };
  Press(Qt::Key_A);  // selecting alone is no step
  EXPECT_EQ(Look(), "off Undo|off Redo|");
  for (size_t i = 0; i < std::size(actions); ++i) {
    const std::string& step = actions[i].Step;
    SCOPED_TRACE(step);
    const std::string before = Text();
    actions[i].Act();
    const std::string after = Text();
    ASSERT_NE(after, before);
    EXPECT_EQ(Look(), "Undo " + step + "|off Redo|*");
    Press(Qt::Key_Z);
    EXPECT_EQ(Text(), before);
    // The first undo is back at the file's state.
    EXPECT_EQ(Look(), (i ? "Undo " + actions[i - 1].Step + "|Redo " + step + "|*" : "off Undo|Redo " + step + "|"));
    Press(i % 2 ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier | (i % 2 ? Qt::ShiftModifier : Qt::NoModifier));
    EXPECT_EQ(Text(), after);
    EXPECT_EQ(Look(), "Undo " + step + "|off Redo|*");
  }
}

TEST_F(UndoRedo, UnsavedChangesAreOfferedForSavingBeforeTheyAreLost) {
  const std::string nowhere = Path("missing/model.3do");
  // Answer: the button clicked in the question, null for no change and no question. Gone: the
  // file has left the disk, so Save asks for a name. Then whether the window stays with the
  // changed model, and whether the change reached the file.
  // Command "close": the window's close button.
  const struct {
    const char *Command, *Answer;
    bool Gone;
    std::vector<std::string> FileNames;
    bool Kept, Saved;
  } rows[] = {
      {"actFileExit", nullptr, false, {}, false, false},
      {"close", "Cancel", false, {}, true, false},
      {"actFileExit", "Discard", false, {}, false, false},
      {"close", "Save", false, {}, false, true},
      {"actFileExit", "Save", true, {nowhere}, true, false},  // the save fails
      {"close", "Save", true, {}, true, false},               // Save As is cancelled
      {"actFileNew", "Cancel", false, {}, true, false},
      {"actFileOpen", "Save", false, {File}, false, true},
      {"actFileRevert", "No", false, {}, true, false},  // Revert only asks whether to lose them
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.Command) + " " + (row.Answer ? row.Answer : "unchanged"));
    Restart();
    if (row.Answer) Run("actPrimDummy");
    const std::string changed = Text();
    if (row.Gone) std::filesystem::remove(File);
    Services.FileNames = row.FileNames;
    std::string asked;
    AnswerBox(QString("&") + (row.Answer ? row.Answer : "Cancel"), asked, 5);
    row.Command == std::string("close") ? void(Window->close()) : Run(row.Command);
    QTest::qWait(100);  // no question may come late
    const bool revert = row.Command == std::string("actFileRevert");
    EXPECT_EQ(asked, !row.Answer ? "" : revert ? "Discard changes?" : "Save changes to " + File + "?");
    EXPECT_EQ(Window->isVisible() && Core->History.Modified() && Text() == changed, row.Kept);
    EXPECT_EQ(Read(File).find("$$dummy") != std::string::npos, row.Saved);
    EXPECT_EQ(Services.Errors.size(), row.FileNames == std::vector{nowhere} ? 1u : 0u);
    EXPECT_TRUE(!Window->isVisible() || row.Kept || Look() == "off Undo|off Redo|") << "a new model, a new history";
    Services.Errors.clear();
  }
}

}  // namespace
