#include "tests/gui/GuiFixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdlib>
#include <set>

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& fits) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += fits(image.pixel(x, y));
  return count;
}

int CountPixels(const QImage& image, QRgb colour, int tolerance) {
  return CountPixels(image, [colour, tolerance](QRgb p) {
    return std::abs(qRed(p) - qRed(colour)) <= tolerance && std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(colour)) <= tolerance;
  });
}

int DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

namespace {

// A dialog that its test leaves open would hold the test in its event loop until the test
// runner kills it; after half a minute it fails the test and closes instead.
class TLeftOpenGuard : public QObject {
 public:
  explicit TLeftOpenGuard(QWidget* modal) : QObject(modal) {
    modal->installEventFilter(this);
    QTimer::singleShot(30000, this, [modal] {
      if (!modal->isVisible()) return;
      ADD_FAILURE() << "The dialog '" << modal->windowTitle().toStdString() << "' was left open";
      modal->close();
    });
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) deleteLater();
    return false;
  }
};

}  // namespace

void WhenModalShown(std::function<void(QWidget*)> act, std::function<bool(QWidget*)> fits, int attempts) {
  QTimer::singleShot(10, [act = std::move(act), fits = std::move(fits), attempts] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && (!fits || fits(modal))) {
      new TLeftOpenGuard(modal);
      act(modal);
    } else if (attempts > 0)
      WhenModalShown(act, fits, attempts - 1);
  });
}

void ChooseFile(QFileDialog& dialog, const QString& path) {
  const QFileInfo file(path);
  dialog.setDirectory(file.absolutePath());
  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(file.fileName());
  static_cast<QDialog&>(dialog).accept();
}

void AnswerBox(const QString& button, std::string& asked, int attempts, const char* shot) {
  WhenModalShown(
      [button, &asked, shot](QWidget* w) {
        asked = w->property("text").toString().toStdString();
        if (shot) SaveScreenshot(w, shot);
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
          if (b->text() == button) b->click();
        if (w->isVisible()) w->close();
      },
      [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; }, attempts);
}

void PickContainerEntry(int row) {
  WhenModalShown<TGobDialog>([row](TGobDialog& d) {
    d.lbxFiles->setCurrentRow(row);
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
}

std::vector<std::string> Rows(const QListWidget& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.count(); ++i) rows.push_back(list.item(i)->text().toStdString());
  return rows;
}

void ClickItem(QListWidget& list, const QString& text) {
  const auto found = list.findItems(text, Qt::MatchExactly);
  ASSERT_FALSE(found.isEmpty()) << text.toStdString();
  list.scrollToItem(found[0]);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found[0]).center());
}

void AcceptObjImport() {
  WhenModalShown([](QWidget* w) {
    if (auto* dialog = qobject_cast<TObjImportDialog*>(w)) QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
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
