#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class TViewportFrame;

// Product name, version and build date, the OpenGL driver of the viewport frame (" N/A"
// without a running context), and links to the read-me shipped with the program and to the
// folder of the settings file. A click on the background or on a text closes it, as OK and
// Enter do.
class TAboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutDialog(TViewportFrame* frame);

  QLabel *imgIcon, *lblTitle, *lblVersion, *lblCopyright, *lblReadme, *lblSettings, *lblGL, *lblGLExt;
  QWidget* pbxGrad;
  QPushButton* Button1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const QString& text, int x, int y);
  void BuildLinks();
  void BuildGLGroup(TViewportFrame* frame);
};
