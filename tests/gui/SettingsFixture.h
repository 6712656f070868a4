#pragma once
#include <QColorDialog>
#include <QKeySequenceEdit>
#include <QSettings>
#include <QStandardPaths>

#include "app/OptionsDialog.h"
#include "app/OptionsLists.h"
#include "app/SettingsKeys.h"
#include "tests/gui/GuiFixture.h"

// A main window whose settings file lies in a folder of the test's own, so that a restart
// finds what the test left there and nothing else.
class TSettingsTest : public TWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder.path());
  }
  void TearDown() override {
    TWindowTest::TearDown();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }
  // Closes the main window as the user does and starts the program again with a fresh core.
  void Restart(const std::string& openAtStart = {}) {
    ASSERT_TRUE(Window->close());
    TWindowTest::TearDown();
    Services.Output.clear();
    StartWindow(openAtStart);
  }
  static void ClickRow(QListWidget& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
  }
  // The shortcut list's row of the action of that name.
  static int RowOfAction(QListWidget& list, const QString& action) {
    for (int row = 0; row < list.count(); ++row)
      if (list.item(row)->data(TShortcutRow::ActionRole).value<QAction*>()->objectName() == action) return row;
    return -1;
  }
  // Opens the options from the menu, runs `act` in them, and closes them with OK.
  void RunOptions(std::function<void(TOptionsDialog&)> act) {
    WhenModalShown<TOptionsDialog>([act = std::move(act)](TOptionsDialog& options) {
      act(options);
      QTest::mouseClick(options.btnOK, Qt::LeftButton);
    });
    Window->Action("actViewOption")->trigger();
  }
  // Highlights a colour row and picks the colour in the colour dialog of "&Edit".
  static void PickColour(TOptionsDialog& options, int row, QColor colour) {
    ClickRow(*options.lbxColors, row);
    WhenModalShown<QColorDialog>([colour](QColorDialog& dialog) {
      dialog.setCurrentColor(colour);
      dialog.accept();
    });
    QTest::mouseClick(options.btnColorEdit, Qt::LeftButton);
  }
  // Highlights an action's row, presses the key in the key field (empties it for an empty
  // text) and presses "&Edit".
  static void SetShortcut(TOptionsDialog& options, const char* action, const char* text) {
    ClickRow(*options.lbxShort, RowOfAction(*options.lbxShort, action));
    options.edtShortcut->clear();
    if (*text) QTest::keySequence(options.edtShortcut, KeyFromText(text));
    QTest::mouseClick(options.btnShortEdit, Qt::LeftButton);
  }
};
