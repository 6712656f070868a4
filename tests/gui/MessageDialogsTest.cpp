
#include <QAbstractButton>
#include <QFileSystemModel>

#include "formats/FileKinds.h"
#include "services/UserServices.h"
#include "tests/gui/GuiFixture.h"

namespace {

TEST(MessageBoxes, InformationAndErrorCaptionsAndIconsWithoutOwner) {
  const struct { void (*Show)(const std::string&); QString Text, Title; QMessageBox::Icon Icon; } cases[] = {
      {ShowInformation, "File 'a<b>.3do' not found", "Information", QMessageBox::Information},
      {ShowError, "Only works in Surface Mode", "Error", QMessageBox::Critical}};
  for (const auto& c : cases) {
    bool shown = false;
    WhenModalShown([&](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box) return widget->close(), void();
      shown = true;
      SaveScreenshot(box, ("message_box_" + c.Title.toLower()).toStdString().c_str());
      EXPECT_EQ(box->windowTitle(), c.Title);
      EXPECT_EQ(box->text(), c.Text);
      EXPECT_EQ(box->icon(), c.Icon);
      EXPECT_EQ(box->parentWidget(), nullptr);
      box->button(QMessageBox::Ok)->click();
    });
    c.Show(c.Text.toStdString());
    EXPECT_TRUE(shown) << c.Title.toStdString();
  }
}

TEST(FileDialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters(ModelFilter()),
            (QStringList{"All Supported files (*.3do, *.gob, *.goo, *.glb, *.gltf) (*.3do *.gob *.goo *.glb *.gltf)",
                         "Jedi Knight Model (*.3do) (*.3do)",
                         "Jedi Knight Container (*.gob, *.goo) (*.gob *.goo)",
                         "glTF 2.0 (*.glb, *.gltf) (*.glb *.gltf)"}));
  EXPECT_EQ(QtNameFilters({"*.obj"}), QStringList{"*.obj (*.obj)"});
}

TEST(FileDialogs, OpenReturnsTheChosenPathOrNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ship.3do");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  bool shown = false;
  WhenModalShown([&](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    ASSERT_TRUE(dialog);
    shown = true;
    EXPECT_EQ(dialog->windowTitle(), "Open");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    // The first entry is chosen, shown by its description alone, and filters by its patterns.
    EXPECT_EQ(dialog->selectedNameFilter(), "All Supported files (*.3do, *.gob, *.goo, *.glb, *.gltf)");
    EXPECT_EQ(dialog->findChild<QComboBox*>("fileTypeCombo")->itemText(0), dialog->selectedNameFilter());
    EXPECT_EQ(dialog->findChild<QFileSystemModel*>()->nameFilters(), (QStringList{"*.3do", "*.gob", "*.goo", "*.glb", "*.gltf"}));
    SaveScreenshot(dialog, "open_dialog");
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(AskOpenFileName(ModelFilter(), "Open"), path.toStdString());
  EXPECT_TRUE(shown);

  WhenModalShown([](QWidget* widget) { widget->close(); });
  EXPECT_EQ(AskOpenFileName(ImportFilter(), "Import"), "");
}

TEST(FileDialogs, SaveAndExportAreTitledConfirmReplacingAndAddTheirExtension) {
  const struct { const std::vector<std::string>& Filter; const char *Title, *Extension; } cases[] = {
      {ModelFilter(), "Save", ".3do"}, {ImportFilter(), "Export", ".obj"}};
  for (const auto& c : cases) {
    QTemporaryDir dir;
    QString title;
    bool confirms = false;
    WhenModalShown([&](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      ASSERT_TRUE(dialog);
      title = dialog->windowTitle();
      confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite) && dialog->acceptMode() == QFileDialog::AcceptSave;
      dialog->selectFile(dir.filePath("new"));
      static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(AskSaveFileName(c.Filter, c.Title), dir.filePath("new").toStdString() + c.Extension);
    EXPECT_EQ(title.toStdString(), c.Title);
    EXPECT_TRUE(confirms);
  }
}

}  // namespace
