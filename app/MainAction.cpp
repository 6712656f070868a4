#include "app/MainAction.h"

#include <QShortcutEvent>

#include "app/MainWindow.h"

TMainAction::TMainAction(const QString& caption, TfrmMain& window)
    : QAction(caption, &window), Window(window) {}

bool TMainAction::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    auto* shortcut = static_cast<QShortcutEvent*>(event);
    if (shortcut->isAmbiguous() && Window.RouteAmbiguousShortcut(shortcut->key())) return true;
  }
  return QAction::event(event);
}
