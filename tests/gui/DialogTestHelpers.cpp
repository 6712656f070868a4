#include <QDir>
#include <QPixmap>

#include "tests/gui/DialogTestHelpers.h"

void SaveScreenshot(QWidget* widget, const char* name) {
  QDir().mkpath(ZARN_SCREENSHOT_DIR);
  widget->grab().save(QString(ZARN_SCREENSHOT_DIR) + "/" + name + ".png");
}
