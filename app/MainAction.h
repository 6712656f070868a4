#pragma once
#include <QAction>

class TfrmMain;

// A main-window action that hands a key shared with other actions to the window, which
// gives it to the first of them in menu order (Qt alone would trigger none).
class TMainAction : public QAction {
  Q_OBJECT
 public:
  TMainAction(const QString& caption, TfrmMain& window);

 protected:
  bool event(QEvent* event) override;

 private:
  TfrmMain& Window;
};
