#pragma once
#include <QColor>

// The program's 0x00BBGGRR colour values as Qt colours, and back.
inline QColor ToQColor(unsigned color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }
inline unsigned FromQColor(const QColor& color) {
  return static_cast<unsigned>(color.red()) | static_cast<unsigned>(color.green()) << 8 |
         static_cast<unsigned>(color.blue()) << 16;
}
