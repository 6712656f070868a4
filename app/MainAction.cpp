#include "app/MainAction.h"

#include <QShortcutEvent>

TMainAction::TMainAction(const QString& caption, QObject& owner,
                         std::function<bool(const QKeySequence&)> routeAmbiguous)
    : QAction(caption, &owner), RouteAmbiguous(std::move(routeAmbiguous)) {}

bool TMainAction::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    auto* shortcut = static_cast<QShortcutEvent*>(event);
    if (shortcut->isAmbiguous() && RouteAmbiguous(shortcut->key())) return true;
  }
  return QAction::event(event);
}
