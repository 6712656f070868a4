#pragma once
#include <QAction>
#include <functional>

// A main-window action that hands a key shared with other actions to `routeAmbiguous`, which
// gives it to the first of them in menu order (Qt alone would trigger none).
class TMainAction : public QAction {
  Q_OBJECT
 public:
  TMainAction(const QString& caption, QObject& owner, std::function<bool(const QKeySequence&)> routeAmbiguous);

 protected:
  bool event(QEvent* event) override;

 private:
  std::function<bool(const QKeySequence&)> RouteAmbiguous;
};
