// The ZARN editor.
#include <QApplication>
#include <QLocale>
#include <clocale>

#include "app/MainWindow.h"
#include "app/QtServices.h"
#include "document/Core.h"
#include "view/GLFormat.h"

int main(int argc, char** argv) {
  UseCompatibilityGLFormat();
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("Trevalo");
  QCoreApplication::setApplicationName("ZARN");
  // Numbers in files, boxes and dialogs always use a point, whatever the user's locale;
  // QApplication has just taken the locale from the environment, so this comes after it.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());

  TQtServices services;
  TCore core(services);
  TMainWindow window(core, argc > 1 ? argv[1] : "");
  services.SetMainWindow(&window);
  window.show();
  const int result = app.exec();
  services.SetMainWindow(nullptr);
  return result;
}
