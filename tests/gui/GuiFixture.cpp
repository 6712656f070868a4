#include "tests/gui/GuiFixture.h"

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
