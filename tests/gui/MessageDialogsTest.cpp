#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/Dialogs.h"
#include "app/MessageWindow.h"
#include "model/UserServices.h"
#include "tests/gui/DialogTestHelpers.h"

namespace {

struct TSeenBox {
  QString Title, Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  bool HasParent = true;
};

TSeenBox SeeMessageBox(void (*show)(const std::string&), const std::string& text, const char* screenshot = nullptr) {
  TSeenBox seen;
  WhenModalShown([&](QWidget* widget) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box) return widget->close(), void();
    if (screenshot) SaveScreenshot(box, screenshot);
    seen = {box->windowTitle(), box->text(), box->icon(), box->parentWidget() != nullptr};
    box->button(QMessageBox::Ok)->click();
  });
  show(text);
  return seen;
}

TEST(MessageBoxes, InformationAndErrorCaptionsAndIcons) {
  const TSeenBox info = SeeMessageBox(ShowInformation, "File 'a<b>.3do' not found");
  EXPECT_EQ(info.Title, "Information");
  EXPECT_EQ(info.Icon, QMessageBox::Information);
  EXPECT_EQ(info.Text, "File 'a<b>.3do' not found");
  EXPECT_FALSE(info.HasParent);
  const TSeenBox error = SeeMessageBox(ShowError, "Only works in Surface Mode");
  EXPECT_EQ(error.Title, "Error");
  EXPECT_EQ(error.Icon, QMessageBox::Critical);
  EXPECT_EQ(error.Text, "Only works in Surface Mode");
  const TSeenBox registered = SeeMessageBox(
      ShowInformation, "3DO files registered.\n\rIt is now possible to double click 3DO files to open them in ZARN",
      "information_box");
  EXPECT_EQ(registered.Title, "Information");
}

TEST(FileDialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters(ModelFilter()),
            (QStringList{"All Supported files (*.3do, *.gob, *.goo) (*.3do *.gob *.goo)",
                         "Jedi Knight Model (*.3do) (*.3do)",
                         "Jedi Knight Container (*.gob, *.goo) (*.gob *.goo)"}));
  EXPECT_EQ(QtNameFilters({"*.obj"}), QStringList{"*.obj (*.obj)"});
}

TEST(FileDialogs, OpenReturnsTheChosenPathOrNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("ship.3do");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();

  QString title, selectedFilter, shownFilters;
  QStringList patterns;
  QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
  WhenModalShown([&](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    ASSERT_TRUE(dialog);
    title = dialog->windowTitle();
    mode = dialog->acceptMode();
    selectedFilter = dialog->selectedNameFilter();
    shownFilters = dialog->findChild<QComboBox*>("fileTypeCombo")->itemText(0);
    patterns = dialog->findChild<QFileSystemModel*>()->nameFilters();
    SaveScreenshot(dialog, "open_dialog");
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(AskOpenFileName(ModelFilter(), "Open"), path.toStdString());
  EXPECT_EQ(title, "Open");
  EXPECT_EQ(mode, QFileDialog::AcceptOpen);
  // The first entry is chosen, shown by its description alone, and filters by its patterns.
  EXPECT_EQ(selectedFilter.toStdString(), "All Supported files (*.3do, *.gob, *.goo)");
  EXPECT_EQ(shownFilters, selectedFilter);
  EXPECT_EQ(patterns, (QStringList{"*.3do", "*.gob", "*.goo"}));

  WhenModalShown([](QWidget* widget) { widget->close(); });
  EXPECT_EQ(AskOpenFileName(ImportFilter(), "Import"), "");
}

TEST(FileDialogs, SaveIsTitledSaveAndConfirmsReplacing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("new.3do");
  QString title;
  bool confirms = false;
  WhenModalShown([&](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    ASSERT_TRUE(dialog);
    title = dialog->windowTitle();
    confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite) && dialog->acceptMode() == QFileDialog::AcceptSave;
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(AskSaveFileName(ModelFilter()), path.toStdString());
  EXPECT_EQ(title, "Save");
  EXPECT_TRUE(confirms);
}

TEST(MessageWindow, ToolWindowAboveTheOthers) {
  TfrmMsg window;
  EXPECT_EQ(window.windowTitle(), "Messages");
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_EQ(window.pos(), QPoint(371, 298));
  EXPECT_EQ(window.size(), QSize(418, 187));
  ASSERT_EQ(window.findChild<QListWidget*>("lbxOutput"), window.lbxOutput);
  EXPECT_EQ(window.lbxOutput->font().family(), "Courier New");
  EXPECT_EQ(window.lbxOutput->font().pointSize(), 10);
  window.lbxOutput->addItem("line");
  EXPECT_EQ(window.lbxOutput->sizeHintForRow(0), 16);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // The list fills the window inside the lowered panel.
  EXPECT_GE(window.lbxOutput->width(), 414);
  SaveScreenshot(&window, "message_window");
}

}  // namespace
