#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "app/AboutDialog.h"
#include "app/SettingsStore.h"
#include "tests/gui/SettingsFixture.h"

namespace {

// Records the addresses the program asks the desktop to open.
class TOpened : public QObject {
  Q_OBJECT
 public:
  QStringList Paths;
 public slots:
  void Open(const QUrl& url) { Paths << url.toLocalFile(); }
};

void ClickLink(QLabel* label) { QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(label->width() / 2, label->height() / 2)); }

TEST_F(TSettingsTest, AboutBoxShowsVersionAndDriverOrNoneOpensItsLinksAndClosesOnAClickOrEnter) {
  StartWindow();
  TOpened opened;
  QDesktopServices::setUrlHandler("file", &opened, "Open");
  bool shown = false;
  WhenModalShown<TAboutDialog>([&](TAboutDialog& about) {
    shown = true;
    EXPECT_EQ(QApplication::focusWidget(), nullptr) << "no control holds the focus";
    EXPECT_EQ(about.lblTitle->text().toStdString(), "ZARN");
    // The build date follows in the desktop's own format.
    const std::string version = about.lblVersion->text().toStdString();
    EXPECT_TRUE(std::regex_match(version, std::regex(R"(Version \d+\.\d+\.\d+ \(.+\))"))) << version;
    TGLArea& gl = *Frame().glaMain;
    EXPECT_EQ(about.lblGL->text().toStdString(), "Vendor     " + gl.VendorString() + "\nVersion    " + gl.VersionString() +
                                                      "\nRenderer   " + gl.RendererString() + "\nExtensions ");
    EXPECT_EQ(about.lblGLExt->text().toStdString(), gl.ExtensionsString());
    SaveScreenshot(&about, "about_box");

    ClickLink(about.lblReadme);
    ClickLink(about.lblSettings);
    EXPECT_TRUE(about.isVisible()) << "a link keeps the box open";
    QTest::mouseClick(about.lblVersion, Qt::LeftButton);
    if (about.isVisible()) about.reject();
  });
  Window->Action("actHelpAbout")->trigger();
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_TRUE(shown);
  const QString settingsFolder = QFileInfo(QString::fromStdString(SettingsFileName())).absolutePath();
  EXPECT_EQ(opened.Paths, (QStringList{QFileInfo(QString(ZARN_SAMPLES_DIR) + "/../README.md").canonicalFilePath(), settingsFolder}));
  EXPECT_TRUE(QFileInfo(settingsFolder).isDir());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a click on the version closed the box";

  // Without a running context the driver is not available; Enter or the background closes it.
  for (const bool enter : {true, false}) {
    TAboutDialog about(nullptr);
    EXPECT_EQ(about.lblGL->text(), " N/A");
    EXPECT_EQ(about.lblGLExt->text(), " N/A");
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    if (enter)
      QTest::keyClick(&about, Qt::Key_Return);
    else
      QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(300, 320));
    EXPECT_FALSE(about.isVisible()) << enter;
  }
}

}  // namespace

#include "AboutDialogTest.moc"
