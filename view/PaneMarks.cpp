#include "view/PaneMarks.h"

#include <GL/gl.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "view/GLRoutines.h"

void DrawPaneName(const std::string& name, int height, float backR, float backG, float backB) {
  QFont font;
  font.setPixelSize(12);
  const QString text = QString::fromStdString(name);
  const QFontMetrics metrics(font);
  QImage picture(metrics.horizontalAdvance(text) + 4, metrics.height() + 2, QImage::Format_RGBA8888);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setFont(font);
    const bool light = 0.299f * backR + 0.587f * backG + 0.114f * backB > 0.5f;
    painter.setPen(light ? Qt::black : Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
  }
  // The GL reads rows from the bottom up.
  const QImage rows = picture.mirrored();
  Begin2DState();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glRasterPos2i(4, height - 4 - rows.height());
  glDrawPixels(rows.width(), rows.height(), GL_RGBA, GL_UNSIGNED_BYTE, rows.constBits());
  End2DState();
}

void DrawActivePaneFrame(int width, int height) {
  constexpr float band = 2;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  Begin2DState();
  glDisable(GL_DEPTH_TEST);
  glColor3f(1.0f, 0.7f, 0.15f);
  const float rects[4][4] = {{0, 0, w, band}, {0, h - band, w, h}, {0, 0, band, h}, {w - band, 0, w, h}};
  glBegin(GL_QUADS);
  for (const auto& r : rects) {
    glVertex2f(r[0], r[1]);
    glVertex2f(r[2], r[1]);
    glVertex2f(r[2], r[3]);
    glVertex2f(r[0], r[3]);
  }
  glEnd();
  End2DState();
}
