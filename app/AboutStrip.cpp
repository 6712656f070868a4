#include "app/AboutStrip.h"

#include <QPainter>
#include <cstdlib>

#include "app/SettingsColor.h"

namespace {

// number * numerator / denominator rounded to the nearest integer, halves away from zero;
// -1 for a zero denominator.
int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  long long quotient = product / denominator;
  if (2 * std::llabs(product % denominator) >= std::llabs(static_cast<long long>(denominator)))
    quotient += (product < 0) != (denominator < 0) ? -1 : 1;
  return static_cast<int>(quotient);
}

}  // namespace

TAboutStrip::TAboutStrip(QWidget* parent) : QWidget(parent) { setObjectName("pbxGrad"); }

unsigned TAboutStrip::RowColor(int y, int h) {
  constexpr int start[3] = {0, 128, 255}, end[3] = {255, 222, 145};
  unsigned color = 0;
  for (int c = 0; c < 3; ++c)
    color |= static_cast<unsigned>((start[c] + MulDiv(y, end[c] - start[c], h - 1)) & 0xFF) << (8 * c);
  return color;
}

void TAboutStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width(), h = height();
  for (int y = 1; y <= h; ++y) {
    painter.setPen(ToQColor(RowColor(y, h)));
    painter.drawLine(1, y, w - 1, y);
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, w - 1, h - 1);
}
