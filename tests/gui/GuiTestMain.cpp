// One QApplication for every GUI test, created once the tests start (listing the tests needs
// no display), with the compatibility-profile OpenGL format the viewports draw with, the
// program's settings names and number format, and a scratch home so that no test touches
// the user's own settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "view/GLFormat.h"

namespace {

class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/zarn-gui-tests-XXXXXX";
    if (!mkdtemp(pattern)) FAIL() << "no scratch folder";
    Scratch = pattern;
    for (const char* sub : {"home", "config", "data", "runtime"}) std::filesystem::create_directory(Scratch / sub);
    std::filesystem::permissions(Scratch / "runtime", std::filesystem::perms::owner_all);
    setenv("HOME", (Scratch / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Scratch / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (Scratch / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (Scratch / "runtime").c_str(), 1);

    UseCompatibilityGLFormat();
    // Qt's own file dialogs, which the tests can drive, whatever the desktop offers.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    App = new QApplication(Argc, Argv);
    QCoreApplication::setOrganizationName("Trevalo");
    QCoreApplication::setApplicationName("ZARN");
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QDir().mkpath(ZARN_SCREENSHOT_DIR);
  }

  void TearDown() override {
    delete App;
    App = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(Scratch, ignored);
  }

 private:
  int Argc = 1;
  char Name[16] = "zarn_gui_tests";
  char* Argv[2] = {Name, nullptr};
  QApplication* App = nullptr;
  std::filesystem::path Scratch;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
  return RUN_ALL_TESTS();
}
