#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include "app/ObjImportDialog.h"
#include "tests/gui/DialogTestHelpers.h"

void AcceptObjImport() {
  WhenModalShown([](QWidget* w) {
    if (auto* dialog = qobject_cast<TfrmObjImport*>(w)) QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
  });
}

void SaveScreenshot(QWidget* widget, const char* name) {
  QDir().mkpath(ZARN_SCREENSHOT_DIR);
  widget->grab().save(QString(ZARN_SCREENSHOT_DIR) + "/" + name + ".png");
}
