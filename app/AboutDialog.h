#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class TfraBuilder;

// Product name, version and build date, the OpenGL driver of the viewport frame (" N/A"
// without a running context), and links to the read-me shipped with the program and to the
// folder of the settings file. A click on the background or on a text closes it, as OK and
// Enter do.
class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(TfraBuilder* frame);

  QLabel *imgIcon, *lblTitle, *lblVersion, *lblCopyright, *lblReadme, *lblSettings, *lblGL, *lblGLExt;
  QWidget* pbxGrad;
  QPushButton* Button1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const QString& text, int x, int y);
  void BuildLinks();
  void BuildGLGroup(TfraBuilder* frame);
};
