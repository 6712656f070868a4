// The window's habits: its first size, status panels that hold their text, the View menu
// marking the mode in force, keys that no two commands share, and questions before the
// desktop's files are written.

#include <QFileInfo>
#include <QStandardPaths>
#include <QStatusBar>

#include "model/Box.h"
#include "tests/gui/SettingsFixture.h"

namespace {

class TWindowHabitsTest : public TSettingsTest {
 protected:
  // Answers the next message box with the button, after keeping its text and a picture.
  void AnswerNextBox(const char* button, const char* shot) { AnswerBox(button, BoxText, 500, shot); }
  // Opens a menu of the bar with the mouse, as a user does; the menu stays open.
  QMenu* OpenMenu(const QString& title) {
    QMenu* menu = Menu(title);
    QMenuBar* bar = Window->menuBar();
    if (menu) QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTest::qWait(50);
    return menu;
  }
  std::string BoxText;
};

// The point under the pointer lies on the plane through the pan point, -Z in front of the top
// camera; the frame rate has the third panel.
TEST_F(TWindowHabitsTest, ThePointersPlaceShowsWholeInItsPanel) {
  StartWindow(Sample(), 0);
  const QPoint centre(Surface()->width() / 2, Surface()->height() / 2);
  Hover(centre);
  QLabel* place = Window->StatusPanel(0);
  EXPECT_TRUE(place->text().startsWith("  X ") && place->text().endsWith(QString::asprintf("Z %.3f", -Camera().Z)))
      << place->text().toStdString();
  EXPECT_GE(place->contentsRect().width(), place->fontMetrics().horizontalAdvance(place->text()));
  Hover(centre + QPoint(100, 0));
  EXPECT_NEAR(place->text().section(' ', 3, 3).chopped(1).toDouble(),
              100 * (-Camera().Z / 4) / (Surface()->height() / 2.0), 0.002);
  EXPECT_TRUE(Window->StatusPanel(2)->text().startsWith("Fps "));
  place->setText("  X -1234.567, Y -1234.567, Z -1234.567");
  EXPECT_GE(place->contentsRect().width(), place->fontMetrics().horizontalAdvance(place->text()));
  SaveScreenshot(Window->statusBar(), "status_bar");
}

// Each camera keeps its mode, another model opened too.
TEST_F(TWindowHabitsTest, TheViewMenuChecksTheModeOfTheShownCamera) {
  StartWindow(Sample());
  const char* const modes[] = {"actViewWireframe", "actViewShaded", "actViewTextured", "actViewGame"};
  Frame().tacCameras->setCurrentIndex(0);
  Window->Action("actViewTextured")->trigger();
  Frame().tacCameras->setCurrentIndex(3);
  Window->Action("actViewWireframe")->trigger();
  Window->OpenFile(Sample());
  for (const auto& [camera, mode] : {std::pair{0, 2}, {3, 0}}) {
    Frame().tacCameras->setCurrentIndex(camera);
    QMenu* view = OpenMenu("&View");
    ASSERT_NE(view, nullptr);
    for (int m = 0; m < 4; ++m) EXPECT_EQ(Window->Action(modes[m])->isChecked(), m == mode) << camera << modes[m];
    if (camera == 0) SaveScreenshot(view, "view_menu_checked");
    view->close();
  }
  // Choosing from the menu checks the choice alone.
  Window->Action("actViewGame")->trigger();
  for (int m = 0; m < 4; ++m) EXPECT_EQ(Window->Action(modes[m])->isChecked(), m == 3) << modes[m];
}

// Alt and a letter, then a letter inside the menu, reach every entry: no two entries of one
// menu (the bar counting as one) underline the same letter.
TEST_F(TWindowHabitsTest, NoTwoEntriesOfAMenuShareAnAcceleratorLetter) {
  StartWindow(Sample());
  std::function<void(const QString&, const QList<QAction*>&)> check = [&](const QString& where,
                                                                          const QList<QAction*>& entries) {
    std::map<QChar, QString> holder;
    for (const QAction* entry : entries) {
      if (entry->isSeparator() || !entry->isVisible()) continue;
      const QString text = entry->text();
      const qsizetype mark = text.indexOf('&');
      EXPECT_TRUE(mark >= 0 && mark + 1 < text.size()) << where.toStdString() << ": " << text.toStdString();
      if (mark < 0 || mark + 1 >= text.size()) continue;
      const auto [at, fresh] = holder.emplace(text[mark + 1].toLower(), text);
      EXPECT_TRUE(fresh) << where.toStdString() << ": " << at->second.toStdString() << " and " << text.toStdString();
      if (entry->menu()) check(text, entry->menu()->actions());
    }
  };
  check("the menu bar", Window->menuBar()->actions());
}

// Save As starts at the model's own name and folder, Export at the model's name in the folder
// the last export went to, Open where the last model was chosen.
TEST_F(TWindowHabitsTest, FileDialogsStartWhereTheirKindWasLastChosenWithTheModelsName) {
  StartWindow(Sample());
  Services.RealFileDialogs = true;
  const QString samples = QFileInfo(QString::fromStdString(Sample())).absolutePath();
  const struct { const char* Action; QString Folder; const char* Name; std::string Choose; } rows[] = {
      {"actFileSaveAs", samples, "fighter.3do", Path("copy.3do")},
      {"actFileExport", {}, "copy.obj", Path("copy.obj")},
      {"actFileExport", Folder.path(), "copy.obj", {}},
      {"actFileOpen", Folder.path(), "", {}},
  };
  for (const auto& row : rows) {
    QString folder, name;
    WhenModalShown<QFileDialog>([&](QFileDialog& dialog) {
      folder = dialog.directory().absolutePath();
      name = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
      SaveScreenshot(&dialog, row.Action);
      if (row.Choose.empty()) return dialog.reject();
      ChooseFile(dialog, QString::fromStdString(row.Choose));
    });
    Window->Action(row.Action)->trigger();
    EXPECT_TRUE(row.Folder.isEmpty() || folder == row.Folder) << row.Action << " " << folder.toStdString();
    EXPECT_EQ(name, row.Name) << row.Action;
  }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("copy.obj"))));
}

// File > Open from Container... goes straight to the container's list, whose columns show
// every name whole.
TEST_F(TWindowHabitsTest, OpenFromContainerListsTheContainerWithNamesWhole) {
  const std::string name = "a_model_with_a_rather_long_name.3do";
  const std::string gob = Write("long.gob", fmt_test::MakeGob({{"3do\\" + name, TriangleModelText()}}));
  StartWindow();
  Services.FileNames = {gob};
  WhenModalShown<TGobDialog>([&](TGobDialog& dialog) {
    QListWidget& list = *dialog.lbxFiles;
    EXPECT_GE(list.visualItemRect(list.item(0)).width(), list.fontMetrics().horizontalAdvance(list.item(0)->text()));
    SaveScreenshot(&dialog, "open_from_container");
    list.setCurrentRow(0);
    dialog.accept();
  });
  Window->Action("actFileOpenContainer")->trigger();
  EXPECT_EQ(Core->Model->Nodes.Count(), 2);
  EXPECT_TRUE(Window->windowTitle().contains(QString::fromStdString(name))) << Window->windowTitle().toStdString();
}

// An older settings file's shared keys are settled, and a key stored under a command's earlier
// "acn" name is kept; the options then refuse a key in use unless the user swaps them.
TEST_F(TWindowHabitsTest, SharedKeysOfAnOlderSettingsFileAreSettledAndTheOptionsRefuseAKeyInUse) {
  QSettings().setValue("Shortcuts/actEditExtrudeFace", "Ctrl+X");
  QSettings().setValue("Shortcuts/actEditCut", "Ctrl+X");
  QSettings().setValue("Shortcuts/acnViewGame", "Ctrl+Shift+G");
  StartWindow();
  EXPECT_EQ(Keys({"actEditCut", "actEditExtrudeFace", "actViewGame"}), "Ctrl+X|Ctrl+E|Ctrl+Shift+G");
  const std::string swap = "Ctrl+X is the shortcut of \"Cut\". Give it to \"All\" and give \"Cut\" Ctrl+A instead?";
  // Then the keys of All, Cut and Invert; a command without a key leaves the other without one.
  const struct { const char *Answer, *Shot, *Action; std::string Asked; const char* Keys; } rows[] = {
      {"&No", "shortcut_in_use", "actSelAll", swap, "Ctrl+A|Ctrl+X|"},
      {"&Yes", "shortcut_swapped", "actSelAll", swap, "Ctrl+X|Ctrl+A|"},
      {"&Yes", "shortcut_taken", "actSelInvert",
       "Ctrl+X is the shortcut of \"All\". Give it to \"Invert\" and leave \"All\" without a shortcut?",
       "|Ctrl+A|Ctrl+X"},
  };
  RunOptions([&](TOptionsDialog& options) {
    for (const auto& row : rows) {
      AnswerNextBox(row.Answer, row.Shot);
      SetShortcut(options, row.Action, "Ctrl+X");
      EXPECT_EQ(BoxText, row.Asked) << row.Shot;
      EXPECT_EQ(Keys({"actSelAll", "actEditCut", "actSelInvert"}), row.Keys) << row.Shot;
    }
  });
  EXPECT_EQ(Keys({"actSelInvert"}), "Ctrl+X");
}

// The middle button orbits the Free camera about the selection's centre, which stays where it
// was in the view (Alt+drag still turns about the camera's own origin: TViewportTest).
TEST_F(TWindowHabitsTest, TheMiddleButtonOrbitsTheFreeCameraAboutTheSelection) {
  StartWindow(Sample());
  Frame().tacCameras->setCurrentIndex(3);
  Window->Action("actViewFrameSelection")->trigger();
  Core->ToggleNode(Core->Model->Nodes[2]);
  const TBox box = Core->SelectionBox();
  const TVector centre = MakeVector((box.Low.X + box.High.X) / 2, (box.Low.Y + box.High.Y) / 2,
                                    (box.Low.Z + box.High.Z) / 2);
  const auto place = [&] {
    int x = 0, y = 0;
    EXPECT_TRUE(WorldToScreen(MakeViewTransform(Camera(), Surface()->width(), Surface()->height()), centre, x, y));
    return QPoint(x, y);
  };
  const QPoint before = place();
  const TCameraRec was = Camera();
  Drag({100, 100}, {160, 130}, {}, Qt::MiddleButton);
  EXPECT_NE(Camera().RotZ, was.RotZ);
  EXPECT_NE(Camera().RotX, was.RotX);
  EXPECT_LE((place() - before).manhattanLength(), 2) << "the selection's centre stays put";
}

TEST_F(TWindowHabitsTest, Register3DOAsksBeforeWritingTheDesktopsFiles) {
  StartWindow();
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString desktop = data + "/applications/ZARNModel.desktop";
  QFile::remove(desktop);
  AnswerNextBox("&No", "register_question");
  Window->Action("actHelpRegister3DO")->trigger();
  EXPECT_NE(BoxText.find("Make the desktop open .3do files with ZARN?"), std::string::npos) << BoxText;
  EXPECT_NE(BoxText.find((desktop).toStdString()), std::string::npos) << BoxText;
  EXPECT_FALSE(QFile::exists(desktop));
  EXPECT_TRUE(Services.Informations.empty());
  // A second registration keeps one default-handler line and the user's other lines.
  AnswerNextBox("&Yes", "register_question_yes");
  Window->Action("actHelpRegister3DO")->trigger();
  QFile list(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/mimeapps.list");
  ASSERT_TRUE(list.open(QIODevice::Append));
  list.write("text/plain=editor.desktop\n[Added Associations]\nimage/png=viewer.desktop\n");
  list.close();
  AnswerNextBox("&Yes", "register_question_yes");
  Window->Action("actHelpRegister3DO")->trigger();
  EXPECT_EQ(Services.Informations, std::vector<std::string>(2, "3DO files registered.\nIt is now possible "
                                                                 "to double click 3DO files to open them in ZARN"));
  QFile entry(desktop), mime(data + "/mime/packages/ZARNModel.xml");
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly) && mime.open(QIODevice::ReadOnly) && list.open(QIODevice::ReadOnly));
  const QString text = entry.readAll(), lines = list.readAll();
  EXPECT_TRUE(text.contains("Exec=" + QCoreApplication::applicationFilePath() + " %f\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("MimeType=application/x-zarnmodel;"));
  EXPECT_TRUE(QString(mime.readAll()).contains("<glob pattern=\"*.3do\"/>"));
  EXPECT_EQ(lines.count("application/x-zarnmodel=ZARNModel.desktop"), 1) << lines.toStdString();
  EXPECT_TRUE(lines.contains("text/plain=editor.desktop") && lines.contains("image/png=viewer.desktop"));
}

}  // namespace
