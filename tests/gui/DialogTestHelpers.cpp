#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ColormapUi.h"
#include "app/ObjImportDialog.h"
#include "tests/gui/DialogTestHelpers.h"

void WhenModalShown(std::function<void(QWidget*)> act, std::function<bool(QWidget*)> fits, int attempts) {
  QTimer::singleShot(10, [act = std::move(act), fits = std::move(fits), attempts] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && (!fits || fits(modal)))
      act(modal);
    else if (attempts > 0)
      WhenModalShown(act, fits, attempts - 1);
  });
}

void AcceptObjImport() {
  WhenModalShown([](QWidget* w) {
    if (auto* dialog = qobject_cast<TfrmObjImport*>(w)) QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
  });
}

void SaveScreenshot(QWidget* widget, const char* name) {
  QDir().mkpath(ZARN_SCREENSHOT_DIR);
  widget->grab().save(QString(ZARN_SCREENSHOT_DIR) + "/" + name + ".png");
}

TColormapUi* Colormaps(QObject& window) {
  for (QObject* child : window.children())
    if (auto* ui = dynamic_cast<TColormapUi*>(child)) return ui;
  return nullptr;
}
