
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

// An entry is its description and its patterns in brackets, as Qt reads them; the first
// takes every pattern and each extension of a kind offered is in one later entry alone.
TEST(FileDialogs, FiltersBecomeQtNameFilters) {
  const auto patterns = [](const QString& entry) { return entry.section('(', -1).chopped(1).split(' '); };
  for (const auto& [uses, filter] : {std::pair{fuOpen, ModelFilter()}, {fuImport, ImportFilter()}}) {
    SCOPED_TRACE(uses);
    const QStringList entries = QtNameFilters(filter);
    ASSERT_GT(entries.size(), 2);
    for (const QString& entry : entries)
      EXPECT_TRUE(std::regex_match(entry.toStdString(), std::regex(R"([^|]+ \((\*\.[a-z0-9]+)( \*\.[a-z0-9]+)*\))")))
          << entry.toStdString();
    for (const TFileKind& kind : FileKinds())
      for (const std::string_view extension : kind.Extensions) {
        const QString pattern = "*" + QString::fromUtf8(extension.data(), extension.size());
        const long offered = (kind.Uses & uses) != 0;
        EXPECT_EQ(patterns(entries[0]).contains(pattern), offered != 0) << extension;
        EXPECT_EQ(std::count_if(entries.begin() + 1, entries.end(), [&](auto& e) { return patterns(e).contains(pattern); }),
                  offered) << extension;
      }
  }
  EXPECT_EQ(QtNameFilters({"*.obj"}), QStringList{"*.obj (*.obj)"});
}

// Open offers its first entry, shown by its description alone and filtering by its patterns;
// Save and Export confirm replacing a file and add their extension; a closed dialog gives
// nothing.
TEST(FileDialogs, EachDialogIsTitledAndGivesTheChosenPathOrNothing) {
  QTemporaryDir dir;
  const QString ship = dir.filePath("ship.3do");
  QFile file(ship);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const struct {
    const char* Title;
    std::function<std::string()> Ask;
    QFileDialog::AcceptMode Mode;
    QString Chosen;
    std::string Given;
  } rows[] = {
      {"Open", [] { return AskOpenFileName(ModelFilter(), "Open"); }, QFileDialog::AcceptOpen, ship, ship.toStdString()},
      {"Import", [] { return AskOpenFileName(ImportFilter(), "Import"); }, QFileDialog::AcceptOpen, {}, ""},
      {"Save", [] { return AskSaveFileName(ModelFilter(), "Save"); }, QFileDialog::AcceptSave, dir.filePath("new"),
       dir.filePath("new.3do").toStdString()},
      {"Export", [] { return AskSaveFileName(ImportFilter(), "Export"); }, QFileDialog::AcceptSave, dir.filePath("new"),
       dir.filePath("new.obj").toStdString()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Title);
    bool shown = false;
    WhenModalShown([&](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      ASSERT_TRUE(dialog);
      shown = true;
      EXPECT_EQ(dialog->windowTitle(), row.Title);
      EXPECT_EQ(dialog->acceptMode(), row.Mode);
      EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
      if (row.Title == std::string("Open")) {
        EXPECT_EQ(dialog->selectedNameFilter(), "All Supported files (*.3do, *.gob, *.goo, *.glb, *.gltf)");
        EXPECT_EQ(dialog->findChild<QComboBox*>("fileTypeCombo")->itemText(0), dialog->selectedNameFilter());
        EXPECT_EQ(dialog->findChild<QFileSystemModel*>()->nameFilters(),
                  (QStringList{"*.3do", "*.gob", "*.goo", "*.glb", "*.gltf"}));
        SaveScreenshot(dialog, "open_dialog");
      }
      if (row.Chosen.isEmpty()) return dialog->close(), void();
      ChooseFile(*dialog, row.Chosen);
    });
    EXPECT_EQ(row.Ask(), row.Given);
    EXPECT_TRUE(shown);
  }
}

}  // namespace
