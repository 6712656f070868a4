#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>
#include <cmath>

#include "app/AboutDialog.h"
#include "app/SettingsStore.h"
#include "model/VersionInfo.h"
#include "tests/gui/DialogTestHelpers.h"
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

// Row y of a strip h rows high: from (0, 128, 255) to (255, 222, 145) over rows 0 to h - 1.
QRgb StripRow(int y, int h) {
  const int start[3] = {0, 128, 255}, end[3] = {255, 222, 145};
  int c[3];
  for (int i = 0; i < 3; ++i) c[i] = (start[i] + static_cast<int>(std::lround(double(y) * (end[i] - start[i]) / (h - 1)))) % 256;
  return qRgb(c[0], c[1], c[2]);
}

void ClickLink(QLabel* label) { QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(label->width() / 2, label->height() / 2)); }

TEST_F(TSettingsTest, AboutBoxShowsVersionDriverAndStripOpensItsLinksAndClosesOnAClick) {
  StartWindow();
  TOpened opened;
  QDesktopServices::setUrlHandler("file", &opened, "Open");
  bool shown = false;
  WhenModalShown<TfrmAbout>([&](TfrmAbout& about) {
    shown = true;
    EXPECT_EQ(QApplication::focusWidget(), nullptr) << "no control holds the focus";
    EXPECT_EQ(about.lblTitle->text().toStdString(), GetProductName());
    EXPECT_EQ(about.lblVersion->text().toStdString(),
              "Version " + GetVersionString(VersionParts) + " (" + GetBuildDate() + ")");
    TGLArea& gl = *Frame().glaMain;
    EXPECT_EQ(about.lblGL->text().toStdString(), "Vendor     " + gl.VendorString() + "\nVersion    " + gl.VersionString() +
                                                      "\nRenderer   " + gl.RendererString() + "\nExtensions ");
    EXPECT_EQ(about.lblGLExt->text().toStdString(), gl.ExtensionsString());
    SaveScreenshot(&about, "about_box");

    const QImage strip = about.pbxGrad->grab().toImage();
    const int w = strip.width(), h = strip.height();
    ASSERT_EQ(QSize(w, h), QSize(32, 252));
    for (const int y : {1, h / 2, h - 2})
      for (const int x : {1, w / 2, w - 2}) EXPECT_EQ(strip.pixel(x, y), StripRow(y, h)) << x << "," << y;
    for (const int at : {0, h / 2, h - 1}) {
      EXPECT_EQ(strip.pixel(0, at), qRgb(0, 0, 0));
      EXPECT_EQ(strip.pixel(w - 1, at), qRgb(0, 0, 0));
    }
    for (const int x : {0, w / 2, w - 1}) EXPECT_EQ(strip.pixel(x, h - 1), qRgb(0, 0, 0)) << "the frame's bottom";

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
}

TEST(AboutBox, WithoutARunningContextTheDriverIsNotAvailableAndEnterOrTheBackgroundClosesIt) {
  for (const bool enter : {true, false}) {
    TfrmAbout about(nullptr);
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
