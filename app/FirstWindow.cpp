#include "app/FirstWindow.h"

#include <QGuiApplication>
#include <QScreen>

QRect FirstWindowBounds() {
  QRect bounds(0, 0, 1024, 768);
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return bounds;
  const QRect area = screen->availableGeometry();
  bounds.setSize(bounds.size().boundedTo(area.size()));
  bounds.moveCenter(area.center());
  return bounds;
}
