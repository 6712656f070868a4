#pragma once
#include <QWidget>

// The about box's picture strip: a gradient from blue at the top to cream at the bottom,
// one colour per row, in a black frame.
class TAboutStrip : public QWidget {
  Q_OBJECT
 public:
  explicit TAboutStrip(QWidget* parent);
  // Row y's colour for a strip h rows high, as 0x00BBGGRR; row h - 1 has the end colour.
  static unsigned RowColor(int y, int h);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
